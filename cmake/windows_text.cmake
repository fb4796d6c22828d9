# Writes a copy of a UTF-8 text file that Notepad on any Windows reads as it is: Windows line ends and a
# byte-order mark. A link to a picture of the source tree's keyboards/ points beside the text, where the release
# has the layouts. Usage: cmake -DSOURCE=<file> -DDESTINATION=<file> -P windows_text.cmake
file(READ "${SOURCE}" text)
string(REPLACE "](../keyboards/" "](" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 byteOrderMark)
file(WRITE "${DESTINATION}" "${byteOrderMark}${text}")
