# Script mode: cmake -DDIRS="dir1;dir2" -P CheckQtFree.cmake
# Scans every C/C++ source and header below the given folders for an include of
# a Qt header (<QFoo>, <QtCore/...>, "qfoo.h"-style Qt private headers excluded
# on purpose: they only exist together with the public ones).
string(REPLACE "\"" "" DIRS "${DIRS}")
set(offenders "")
foreach(dir IN LISTS DIRS)
    file(GLOB_RECURSE files RELATIVE "${dir}" "${dir}/*.h" "${dir}/*.hpp" "${dir}/*.cpp" "${dir}/*.cc")
    # A module's qt/ folder holds its Qt adapters, built into libostrel only.
    list(FILTER files EXCLUDE REGEX "(^|/)qt/")
    list(TRANSFORM files PREPEND "${dir}/")
    foreach(f IN LISTS files)
        file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Qt[A-Za-z]*/|Q[A-Z][A-Za-z]*[>\"])")
        if(lines)
            list(APPEND offenders "${f}: ${lines}")
        endif()
    endforeach()
endforeach()
if(offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "Qt headers included from Qt-free code:\n  ${text}")
endif()
