# The version lives in res/version.inc, which the C++ sources include as well. These functions
# read it: the number for project(), which is why this file is included before project() and
# uses nothing that project() sets up; the rest for the Windows version resource.

get_filename_component(TAVRIN_VERSION_DATA "${CMAKE_CURRENT_LIST_DIR}/../res/version.inc" ABSOLUTE)

# Sets `out_var` to the version number, "1.1.0.0".
function(tavrin_read_version_number out_var)
    file(STRINGS "${TAVRIN_VERSION_DATA}" line
         REGEX "^TAVRIN_VERSION_NUMBER\\( *[0-9]+ *, *[0-9]+ *, *[0-9]+ *, *[0-9]+ *\\)")
    list(LENGTH line count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "${TAVRIN_VERSION_DATA}: expected one TAVRIN_VERSION_NUMBER line")
    endif()
    string(REGEX REPLACE "[^0-9]+" ";" parts "${line}")
    list(FILTER parts EXCLUDE REGEX "^$")
    list(JOIN parts "." number)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${TAVRIN_VERSION_DATA}")
    set(${out_var} "${number}" PARENT_SCOPE)
endfunction()

# Generates the Windows resource script that holds the version resource and sets `out_var` to
# its path, for the executable that is to carry it.
function(tavrin_generate_version_resource out_var)
    tavrin_read_version_number(number)
    string(REPLACE "." "," TAVRIN_RC_VERSION_COMMAS "${number}")
    string(REPLACE "." ", " version_text "${number}")

    file(STRINGS "${TAVRIN_VERSION_DATA}" translation REGEX "^TAVRIN_VERSION_TRANSLATION\\(")
    if(NOT translation MATCHES
       "^TAVRIN_VERSION_TRANSLATION\\( *0x([0-9A-Fa-f]+) *, *0x([0-9A-Fa-f]+) *\\)")
        message(FATAL_ERROR "${TAVRIN_VERSION_DATA}: expected one TAVRIN_VERSION_TRANSLATION line")
    endif()
    set(TAVRIN_RC_LANGUAGE "0x${CMAKE_MATCH_1}")
    set(TAVRIN_RC_CODE_PAGE "0x${CMAKE_MATCH_2}")
    string(TOLOWER "${CMAKE_MATCH_1}${CMAKE_MATCH_2}" TAVRIN_RC_BLOCK)
    # The resource itself is filed under the same language: primary and sub-language.
    math(EXPR TAVRIN_RC_PRIMARY_LANGUAGE "${TAVRIN_RC_LANGUAGE} & 0x3FF" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR TAVRIN_RC_SUBLANGUAGE "${TAVRIN_RC_LANGUAGE} >> 10" OUTPUT_FORMAT HEXADECIMAL)

    # Texts are ASCII without backslashes; a double quote is doubled inside a resource string.
    file(STRINGS "${TAVRIN_VERSION_DATA}" strings REGEX "^TAVRIN_VERSION_STRING\\(")
    list(APPEND strings "TAVRIN_VERSION_STRING(\"FileVersion\", \"${version_text}\")"
         "TAVRIN_VERSION_STRING(\"ProductVersion\", \"${version_text}\")")
    list(SORT strings)
    set(TAVRIN_RC_VALUES "")
    foreach(entry IN LISTS strings)
        if(NOT entry MATCHES "^TAVRIN_VERSION_STRING\\(\"([A-Za-z]+)\", \"(.*)\"\\)$")
            message(FATAL_ERROR "${TAVRIN_VERSION_DATA}: cannot read ${entry}")
        endif()
        string(REPLACE "\\\"" "\"\"" value "${CMAKE_MATCH_2}")
        string(APPEND TAVRIN_RC_VALUES "            VALUE \"${CMAKE_MATCH_1}\", \"${value}\"\n")
        if(CMAKE_MATCH_1 STREQUAL "LegalCopyright")
            set(TAVRIN_RC_COPYRIGHT "${value}")
        endif()
    endforeach()

    # The About box's contact details, for the dialog in res/Tavrin.rc.
    foreach(item CONTACT_MAIL HOME_PAGE)
        file(STRINGS "${TAVRIN_VERSION_DATA}" line REGEX "^TAVRIN_ABOUT\\(${item}, ")
        if(NOT line MATCHES "^TAVRIN_ABOUT\\(${item}, \"([^\"\\\\]*)\"\\)$")
            message(FATAL_ERROR "${TAVRIN_VERSION_DATA}: expected one TAVRIN_ABOUT(${item}, ...) line")
        endif()
        set(TAVRIN_RC_${item} "${CMAKE_MATCH_1}")
    endforeach()

    set(rc "${PROJECT_BINARY_DIR}/res/tavrin_version.rc")
    get_filename_component(res "${TAVRIN_VERSION_DATA}" DIRECTORY)
    configure_file("${res}/tavrin_version.rc.in" "${rc}" @ONLY)
    set(${out_var} "${rc}" PARENT_SCOPE)
endfunction()

# Sets `out_var` to a value of res/version.inc: a version string ("CompanyName") or an About
# box entry ("CONTACT_MAIL", "HOME_PAGE").
function(tavrin_read_version_value name out_var)
    file(STRINGS "${TAVRIN_VERSION_DATA}" line
         REGEX "^TAVRIN_(VERSION_STRING|ABOUT)\\(\"?${name}\"?, \"[^\"]*\"\\)$")
    if(NOT line MATCHES "\"([^\"]*)\"\\)$")
        message(FATAL_ERROR "${TAVRIN_VERSION_DATA}: expected one entry ${name}")
    endif()
    set(${out_var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
