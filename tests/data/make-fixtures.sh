#!/usr/bin/env bash
# The committed fixture files as raw bytes: Windows-1250 (octal escapes), CR LF
# unless a file is about line ends. Run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
fixture() { printf '%b' "${@:2}" >"$1"; } # fixture FILE TEXT...

fixture stations/czech.tlist \
';skyTuner station list\r\n' \
'[STATION:]P\370\355li\232 \236lu\235ou\350k\375 k\371\362|http://127.0.0.1:8000/kun.mp3|255|16777215|-1|1\r\n' \
'[station:]\310esk\375 rozhlas|http://127.0.0.1:8000/cro.ogg|0|16777215|0|1\r\n' \
' [STATION:]Blank before marker|http://127.0.0.1/blank|0|16777215|0|1\r\n' \
'[STATION:]Skryt\341|http://127.0.0.1/hidden|0|16777215|0|0\r\n' \
'[Station:]Osm pol\355|http://127.0.0.1/eight|65280|255|2|1|extra|more\r\n' \
'[STATION:]Bez adresy||0|16777215|0|1\r\n' \
'[STATION:]Jen jm\351no\r\n' \
'[STATION:]|http://127.0.0.1/noname|0|16777215|0|1\r\n' \
'[STATION:]Kr\341tk\341|http://127.0.0.1/short\r\n' \
'[STATION:]Duplicate|http://127.0.0.1:8000/kun.mp3|0|16777215|0|1\r\n' \
'[STATION:]Case differs|HTTP://127.0.0.1:8000/KUN.mp3|16711680|16777215|0|1\r\n' \
'\r\n' \
'[STATION:]After the empty line|http://127.0.0.1/after|0|16777215|0|1\r\n'

fixture stations/czech-saved.tlist \
'[STATION:]P\370\355li\232 \236lu\235ou\350k\375 k\371\362|http://127.0.0.1:8000/kun.mp3|255|16777215|-1|1\r\n' \
'[STATION:]\310esk\375 rozhlas|http://127.0.0.1:8000/cro.ogg|0|16777215|0|1\r\n' \
'[STATION:]Skryt\341|http://127.0.0.1/hidden|0|16777215|0|0\r\n' \
'[STATION:]Osm pol\355|http://127.0.0.1/eight|65280|16777215|-1|1\r\n' \
'[STATION:]Kr\341tk\341|http://127.0.0.1/short|0|16777215|0|1\r\n' \
'\r\n'

# Saved by a Linux editor: LF only, the last line without a line end.
fixture stations/lf-only.tlist \
'[STATION:]Prvn\355|http://127.0.0.1/1|0|16777215|0|1\n' \
'[STATION:]Druh\341|http://127.0.0.1/2|0|16777215|0|1\n' \
'[STATION:]T\370et\355|http://127.0.0.1/3|0|16777215|0|1'

# Old Mac line ends: a lone CR ends no line, so this is one single line.
fixture stations/cr-only.tlist \
'[STATION:]Jedna|http://127.0.0.1/1|0|16777215|0|1\r' \
'[STATION:]Dva|http://127.0.0.1/2|0|16777215|0|1\r'

fixture stations/nul-bytes.tlist \
'[STATION:]R\341dio\000Nul|http://127.0.0.1/nul|0|16777215|0|1\r\n' \
'\000\000\000\r\n' \
'[STATION:]Za nulami|http://127.0.0.1/after-nul|0|16777215|0|1\r\n'

# Binary garbage: every byte value, a station line in the middle of it.
{
  for i in $(seq 0 255); do printf "\\$(printf '%03o' "$i")"; done
  printf '%b' '\r\n[STATION:]Odpad|http://127.0.0.1/garbage|0|16777215|0|1\r\n'
  for i in $(seq 255 -1 0); do printf "\\$(printf '%03o' "$i")"; done
} > stations/garbage.bin

fixture settings/windows.ini \
';Setting file for skyTuner\r\n' \
';****************************\r\n' \
'orphan=before any section\r\n' \
'[PLAYER]\r\n' \
'volume=75\r\n' \
'  Balance  =  -20  \r\n' \
'lasturl="http://127.0.0.1:8000/kun.mp3?a=1&b=2"\r\n' \
'list=/home/u\236ivatel/Seznamy/\310esk\341 r\341dia.tlist\r\n' \
'just a line without equals\r\n' \
'volume=10\r\n' \
'; a comment=not a key\r\n' \
'\r\n' \
'[dev]\r\n' \
'showerrors=1\r\n' \
'[player]\r\n' \
'anim=1\r\n'

# An ORX file as the older program wrote it, with what users did to it ("ß" is
# "SS" in upper case: it must not shift the tags found after it).
fixture stations/czech.orx \
'<?xml version="1.0" encoding="windows-1250"?>\r\n' \
'<RADIOLIST>\r\n' \
'<RADIOSTATION>\r\n' \
'  <STATIONNAME>\310esk\375 rozhlas</STATIONNAME>\r\n' \
'  <STATIONURL>http://127.0.0.1:8000/cro.ogg</STATIONURL>\r\n' \
'  <STATIONCOLOR>255</STATIONCOLOR>\r\n' \
'  <VISIBLE>1</VISIBLE>\r\n' \
'  <BOLD>1</BOLD>\r\n' \
'</RADIOSTATION>\r\n' \
'<radiostation><stationname>P\370\355li\232 \236lu\235ou\350k\375 k\371\362</stationname>' \
'<stationurl>http://127.0.0.1/kun</stationurl><stationcolor>abc</stationcolor>' \
'<visible>false</visible><bold>true</bold></radiostation>\r\n' \
'<RadioStation><StationName>Bez adresy</StationName><Visible>1</Visible></RadioStation>\r\n' \
'<RADIOSTATION><STATIONNAME>Gro\337stadt \337\337\337</STATIONNAME>' \
'<STATIONURL> http://127.0.0.1/gross </STATIONURL><VISIBLE> 0</VISIBLE></RADIOSTATION>\r\n' \
'<RADIOSTATION><STATIONNAME>R\341dio\r\n\r\nA|B &amp; <b>C</b></STATIONNAME>' \
'<STATIONURL>http://127.0.0.1/a?x=1|2</STATIONURL>' \
'<STATIONCOLOR>1<STATIONCOLOR>2</STATIONCOLOR>3</STATIONCOLOR>' \
'<VISIBLE>0</VISIBLE><BOLD>1</BOLD><STATIONNAME>Druh\351 jm\351no</STATIONNAME></RADIOSTATION>\r\n' \
'<RADIOSTATION><STATIONNAME>Bez viditelnosti</STATIONNAME>' \
'<STATIONURL>http://127.0.0.1/hidden</STATIONURL></RADIOSTATION>\r\n' \
'<RADIOSTATION><STATIONNAME>Neuzav\370en\341</STATIONNAME>\r\n' \
'<STATIONURL>http://127.0.0.1/open</STATIONURL>\r\n' \
'</RADIOLIST>\r\n'

fixture stations/czech-orx.tlist \
'[STATION:]\310esk\375 rozhlas|http://127.0.0.1:8000/cro.ogg|255|16777215|1|1\r\n' \
'[STATION:]P\370\355li\232 \236lu\235ou\350k\375 k\371\362|http://127.0.0.1/kun|abc|16777215|0|1\r\n' \
'[STATION:]Gro\337stadt \337\337\337| http://127.0.0.1/gross ||16777215|0|1\r\n' \
'[STATION:]R\341dio  A_B &amp; <b>C</b>|http://127.0.0.1/a?x=1_2|1<STATIONCOLOR>2|16777215|1|0\r\n' \
'[STATION:]Bez viditelnosti|http://127.0.0.1/hidden||16777215|0|0\r\n' \
'\r\n'

# An ORX file saved as UTF-8 by a Linux editor (LF line ends), and its list.
fixture stations/linux-utf8.orx \
'<RADIOSTATION>\n' \
'<STATIONNAME>P\305\231\303\255li\305\241 \305\276lu\305\245ou\304\215k\303\275</STATIONNAME>\n' \
'<STATIONURL>http://127.0.0.1/utf8</STATIONURL>\n' \
'<VISIBLE>1</VISIBLE>\n' \
'</RADIOSTATION>\n'
fixture stations/linux-utf8-orx.tlist \
'[STATION:]P\370\355li\232 \236lu\235ou\350k\375|http://127.0.0.1/utf8||16777215|0|1\r\n' \
'\r\n'
