cmake_minimum_required(VERSION 3.25)
# Fails when libostrel.so exports a name that is not part of its API: an
# internal helper (a detail namespace), or code of the standard library or of
# Qt instantiated inside it. Run with -DNM=<nm> -DLIBRARY=<file>.
execute_process(COMMAND "${NM}" -DC --defined-only "${LIBRARY}"
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR symbols STREQUAL "")
    message(FATAL_ERROR "could not list the symbols of ${LIBRARY}")
endif()
string(REPLACE "\n" ";" symbols "${symbols}")
set(leaks "")
foreach(line IN LISTS symbols)
    # "<address> <type> <name>(<parameters>)": judge the name, not the
    # parameter types, which may well be standard or Qt types.
    string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${line}")
    string(REGEX REPLACE "\\(.*" "" name "${name}")
    string(REGEX REPLACE "^(vtable|typeinfo|typeinfo name|VTT|guard variable) for " "" name "${name}")
    if(name MATCHES "(^|::)detail::" OR name MATCHES "^(std|__gnu_cxx)::" OR name MATCHES "^Q[A-Za-z]+::")
        list(APPEND leaks "${line}")
    endif()
endforeach()
list(LENGTH symbols count)
if(leaks)
    list(LENGTH leaks leak_count)
    list(JOIN leaks "\n" leaks)
    message(FATAL_ERROR "${leak_count} of ${count} exported symbols are not API:\n${leaks}")
endif()
message(STATUS "${count} exported symbols, all API")
