#!/usr/bin/env python3
"""Writes a large, valid population study: the fuzzer's seed that reaches the
size limits, and the document used to time opening large studies.

    python3 fuzz/make_large_study.py OUT.xml [--vars N] [--groups G]
        [--text CHARS] [--fill ELEMENTS]

--vars      numeric variables (vardef, and one var per group)     default 150
--groups    population groups, each with two share steps          default 4
--text      characters of the population's docum text             default 20000
--fill      extra elements under params (one attribute each)      default 0
"""
import argparse


def study(n_vars, n_groups, text_chars, fill):
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<vexa filetype="vexa-study"><app ver="1.0" href="{appdir}/Appl.htm">',
           '<palette id="p"><color id="1">clRed</color><color id="2">clGreen</color>'
           '<color id="3">clBlue</color></palette>',
           '<init mode="0" form="pop"/></app>',
           '<system name="Grande" type="population"><params>']
    out.extend('<p id="%d"/>' % i for i in range(fill))
    out.append('</params><Population name="Grande">')
    words = "Población de prueba con muchas variables y un texto largo. "
    out.append("<docum>%s</docum>" % (words * (text_chars // len(words) + 1))[:text_chars])
    out.append('<simulation><time>120</time><speedscale min="1" max="20"/></simulation>')
    out.append('<sampling><samplesize min="5" max="200" unitmeasures="1" ampliable="1"/></sampling>')
    out.append('<categories><catvar id="1" name="Grupo" color="1" samplingMeter="1"><lbl>Grupo</lbl>')
    out.extend('<cat id="%d" color="%d">G%d</cat>' % (g + 1, g % 3 + 1, g + 1) for g in range(n_groups))
    out.append('</catvar></categories><variables>')
    for i in range(n_vars):
        out.append('<vardef name="X%d" units="cm" decimal="1" refdist="NORMAL" color="%d" '
                   'samplingMeter="1" min="0" max="200">Variable %d</vardef>' % (i + 1, i % 3 + 1, i + 1))
    out.extend('<correlation><elem i="%d" j="%d" r="0,3"/></correlation>' % (i, i + 1)
               for i in range(1, n_vars, 2))
    out.append('</variables>')
    for g in range(n_groups):
        out.append('<group id="%d" color="%d"><percent><nominal value="%d"/>'
                   '<dynamics indx="1" type="1" time="60" final="%d" tol="0"/>'
                   '<dynamics indx="2" type="2" time="60" final="%d" tol="0"/></percent>'
                   '<variables><category catid="%d"/>' % (g + 1, g % 3 + 1, 10 + g, 20 + g, 15 + g, g + 1))
        for i in range(n_vars):
            out.append('<var id="%d"><nominal m="%d" sd="%d"/><validrange min="0" max="200"/>'
                       '<asymmetry p50="50"/><dynamics indx="1" type="1" time="120" final="%d" tol="0"/>'
                       '</var>' % (i + 1, 100 + g, 5 + i % 7, 105 + g))
        out.append('</variables></group>')
    out.append('</Population></system></vexa>')
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--vars", type=int, default=150)
    parser.add_argument("--groups", type=int, default=4)
    parser.add_argument("--text", type=int, default=20000)
    parser.add_argument("--fill", type=int, default=0)
    a = parser.parse_args()
    with open(a.out, "w", encoding="utf-8") as f:
        f.write(study(a.vars, a.groups, a.text, a.fill))


if __name__ == "__main__":
    main()
