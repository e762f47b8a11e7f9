#!/usr/bin/env python3
"""Writes the page scripts of the start-up bench's two projects into folders, ready for the packer.

  make_store.py <folder60> <folder100>

folder60:  page 1 of 60 objects: 20 labels, 20 text boxes, 20 option buttons, no splash picture.
folder100: pages 1 and 2 of 100 mixed objects each (labels, text boxes, option buttons, link
           labels, page buttons).
"""
import os
import sys

TITLE = "Bench page"


def rec(*fields):
    f = list(fields) + [""] * (14 - len(fields))
    return ",".join('"%s"' % x for x in f) + "\r\n"


def form(height, width):
    return rec("Form", TITLE + "**qk****qk****qk****qk**", "16777215**qk****qk**0**qk**140**qk**0", "0", "0",
               str(height), str(width), "0", "0", "0", "##qk##", "0", "1", "")


def place(i, column, per_column=20):
    return str(120 + 2700 * column), str(120 + 360 * (i % per_column))


def label(i, column):
    left, top = place(i, column)
    return rec("obj2", str(i), "Label %d" % i, left, top, "285", "2400", "", "0", "", "16777215", "1",
               "0**qk**0", "10**qk**Arial**qk**False**qk**0")


def textbox(i, column):
    left, top = place(i, column)
    return rec("txt", str(i), "Text %d" % i, left, top, "315", "2400", "", "", "", "16777215", "1",
               "0**qk**0", "10**qk**Arial**qk**False**qk**0")


def option(i, column):
    left, top = place(i, column)
    return rec("opt", str(i), "Option %d" % i, left, top, "285", "2400", "", "", "", "16777215", "3",
               "0**qk**0", "9**qk**Tahoma**qk**False**qk**0")


def link(i, column):
    left, top = place(i, column)
    return rec("lnk", str(i), "Link %d" % i, left, top, "285", "2400", "", "", "", "65280", "1", "255",
               "10**qk**Arial**qk**False**qk**0")


def button(i, column):
    left, top = place(i, column)
    return rec("obj1", str(i), "Button %d" % i, left, top, "330", "2400", "", "255", "1",
               "9**qk**Tahoma**qk**False**qk**False**qk**False**qk**0", "", "", "0")


def write(folder, name, text):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "w", newline="") as out:
        out.write(text)


def main():
    folder60, folder100 = sys.argv[1], sys.argv[2]
    page = form(7600, 8400)
    for i in range(1, 21):
        page += label(i, 0) + textbox(i, 1) + option(i, 2)
    write(folder60, "sys1 .esr", page)

    for number in (1, 2):
        page = form(7600, 13800)
        for i in range(1, 21):
            page += label(i, 0) + textbox(i, 1) + option(i, 2) + link(i, 3) + button(i, 4)
        write(folder100, "sys%d .esr" % number, page)


if __name__ == "__main__":
    main()
