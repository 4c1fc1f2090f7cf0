# Writes the captions' face's licence from Debian's copyright file of fonts-noto-cjk: the
# font's copyright, then the SIL Open Font License's text, as the licence asks to travel
# with every copy of the font.
/^Files: \*$/ { files = 1; next }
files && /^Copyright: / { sub(/^Copyright: /, ""); print "Noto Sans CJK JP (a subset of it: captions.woff2)"; print "Copyright " $0; print ""; files = 0 }
/^License: (SIL|OFL)-1.1$/ && ++licences == 2 { text = 1; next }
text && /^[^ ]/ { exit }
text { sub(/^ /, ""); if ($0 == ".") $0 = ""; print }
