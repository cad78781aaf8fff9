# Writes the Debian package's copyright file: the project's own statement, then the licences of the data the
# library and the verses are made from, read from their packages at build time (nothing of them is kept in the
# repository).
#   cmake -DHEAD=copyright.in -DVERSION=... -DPOETRY_DIR=... -DUNICODE_COPYRIGHT=... -DOUT=... -P MakeCopyright.cmake
file(READ ${POETRY_DIR}/package.json poetry_package)
string(JSON TOLVANE_POETRY_VERSION GET "${poetry_package}" version)
set(TOLVANE_VERSION ${VERSION})
configure_file(${HEAD} ${OUT} @ONLY)
foreach(part "chinese-poetry|${POETRY_DIR}/LICENSE" "Unicode (unicode-data)|${UNICODE_COPYRIGHT}")
  string(REPLACE "|" ";" part "${part}")
  list(GET part 0 name)
  list(GET part 1 path)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "no licence file at ${path}")
  endif()
  file(READ ${path} text)
  string(STRIP "${text}" text)
  file(APPEND ${OUT} "\n\n----- The licence of ${name} -----\n\n${text}\n")
endforeach()
