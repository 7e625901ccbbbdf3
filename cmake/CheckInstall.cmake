# cmake -DBUILD=dir -DPREFIX=dir -DSIZES="16|32" -DPROGRAM=1 -P CheckInstall.cmake
# Installs the build into an empty PREFIX and checks what the desktop looks for there: the
# program (when PROGRAM is true), its menu entry and the icon in every size, each image of the
# size its folder names.
string(REPLACE "|" ";" SIZES "${SIZES}")
unset(ENV{DESTDIR})
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(entry ${PREFIX}/share/applications/lingchuan.desktop)
set(expected ${entry})
if(PROGRAM)
  list(APPEND expected ${PREFIX}/bin/lingchuan)
endif()
foreach(path IN LISTS expected)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

foreach(size IN LISTS SIZES)
  set(icon ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/lingchuan.png)
  if(NOT EXISTS ${icon})
    message(FATAL_ERROR "not installed: ${icon}")
  endif()
  # Width and height are the first fields of a PNG file's header chunk.
  file(READ ${icon} header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${header}" 0 8 width)
  string(SUBSTRING "${header}" 8 8 height)
  math(EXPR width "0x0${width}")
  math(EXPR height "0x0${height}")
  if(NOT "${width}x${height}" STREQUAL "${size}x${size}")
    message(FATAL_ERROR "${icon} is ${width} x ${height}, not ${size} x ${size}")
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${entry} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejects ${entry}")
  endif()
endif()
