#include "ui/application.h"

int main(int argc, char** argv) { return velmora::run_application(argc, argv); }
