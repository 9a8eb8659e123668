#!/usr/bin/env python3
"""Text processing steps for make_dictionary.sh (standard library only).

  make_dictionary_helper.py prepare SRC_DIC SRC_AFF OUT_DIC OUT_AFF
      Reads the UTF-8 hunspell ru_RU.dic/.aff. Keeps only the .dic entries
      whose stem (the part before '/FLAGS') is a lower-case word of the
      letters а-яё, rewrites the leading entry count, and writes both files
      as KOI8-R with 'SET KOI8-R' in the .aff. unmunch handles text byte by
      byte, so it needs a single-byte encoding to apply the affix rules
      correctly.

  make_dictionary_helper.py finish UNMUNCH_OUT OUT_TXT
      Reads the KOI8-R output of unmunch, keeps forms made only of а-яё,
      removes duplicates, sorts them in Russian alphabetical order and writes
      them as Windows-1251 with CR LF line ends (one form per line, the last
      line terminated too).

Order: letter by letter using the alphabet а б в г д е ё ж ... я, i.e. ё is
a letter of its own between е and ж, and a word sorts before any longer word
it is a prefix of. (This is not ICU's Russian collation, where ё is only a
secondary difference from е.)
"""

import re
import sys

WORD = re.compile(r'^[а-яё]+$')
ALPHABET = 'абвгдеёжзийклмнопрстуфхцчшщъыьэюя'
# Maps every letter to a code point that follows alphabetical position, so
# plain string comparison of the translated words gives the wanted order.
RANK = str.maketrans({c: chr(0x100 + i) for i, c in enumerate(ALPHABET)})


def fail(message):
    sys.stderr.write('make_dictionary_helper: %s\n' % message)
    sys.exit(1)


def prepare(src_dic, src_aff, out_dic, out_aff):
    with open(src_dic, encoding='utf-8') as f:
        lines = f.read().splitlines()
    if not lines or not lines[0].strip().isdigit():
        fail('%s: first line is not an entry count' % src_dic)
    kept = [line for line in lines[1:]
            if line and WORD.match(line.split('/', 1)[0])]
    if not kept:
        fail('%s: no lower-case entries found' % src_dic)
    with open(out_dic, 'w', encoding='koi8-r', newline='\n') as f:
        f.write('%d\n' % len(kept))
        f.write('\n'.join(kept) + '\n')

    with open(src_aff, encoding='utf-8') as f:
        aff = f.read().splitlines()
    set_lines = [i for i, line in enumerate(aff) if line.startswith('SET ')]
    if len(set_lines) != 1 or aff[set_lines[0]].split()[1:] != ['UTF-8']:
        fail('%s: expected exactly one "SET UTF-8" line' % src_aff)
    aff[set_lines[0]] = 'SET KOI8-R'
    with open(out_aff, 'w', encoding='koi8-r', newline='\n') as f:
        f.write('\n'.join(aff) + '\n')
    print('kept %d of %d .dic entries' % (len(kept), len(lines) - 1))


def finish(unmunch_out, out_txt):
    with open(unmunch_out, 'rb') as f:
        text = f.read().decode('koi8-r')
    forms = {w for w in text.splitlines() if WORD.match(w)}
    if not forms:
        fail('%s: no word forms found' % unmunch_out)
    ordered = sorted(forms, key=lambda w: w.translate(RANK))
    with open(out_txt, 'wb') as f:
        f.write(''.join(w + '\r\n' for w in ordered).encode('cp1251'))
    print('wrote %d distinct word forms' % len(ordered))


def main(argv):
    if len(argv) == 6 and argv[1] == 'prepare':
        prepare(*argv[2:])
    elif len(argv) == 4 and argv[1] == 'finish':
        finish(*argv[2:])
    else:
        fail('usage: prepare SRC_DIC SRC_AFF OUT_DIC OUT_AFF | '
             'finish UNMUNCH_OUT OUT_TXT')


if __name__ == '__main__':
    main(sys.argv)
