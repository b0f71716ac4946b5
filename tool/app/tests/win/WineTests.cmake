# Wine tests of Vexlow.exe (filled below).
