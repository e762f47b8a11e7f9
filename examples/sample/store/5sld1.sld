"a.bmp##qk##jump***Sepa***1"
"c.bmp##qk##jump***Sepa***3"
