#!/bin/sh
# The replay verifier links the rules and what they stand on, nothing of the
# show: no SDL, no GL, no sound codec, no font library.
libs=$(ldd "$1") || exit 1
echo "$libs"
case "$libs" in *libc.so*) ;; *) echo "ldd listed no C library: nothing was checked" && exit 1 ;; esac
if echo "$libs" | grep -iE 'sdl|libgl|libegl|vorbis|ogg|openmpt|mpg123|freetype'; then
  echo "the verifier links a library of the show" && exit 1
fi
