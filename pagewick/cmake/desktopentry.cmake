# cmake -DIN=pagewick.desktop -DOUT=file -DFOLDER=dir -P desktopentry.cmake
# Writes the desktop entry of a program folder: the program and its icon by their full paths.
file(READ ${IN} entry)
string(REPLACE "Exec=pagewick" "Exec=\"${FOLDER}/pagewick\"" entry "${entry}")
string(REPLACE "Icon=pagewick" "Icon=${FOLDER}/pagewick.svg" entry "${entry}")
file(WRITE ${OUT} "${entry}")
