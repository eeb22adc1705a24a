# The framework's layering: app/ is on top and uses every module; nothing below includes it.
# Run by the configure step and, as the test "framework_layers", by every test run:
#   cmake -DTESK_SOURCE_DIR=<repository> -P scripts/check-layers.cmake
if(NOT TESK_SOURCE_DIR)
  get_filename_component(TESK_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()
set(_lower core graphics display widgets resources sound)
set(_offences "")
foreach(_module ${_lower})
  file(GLOB_RECURSE _files
    ${TESK_SOURCE_DIR}/src/framework/${_module}/*.h
    ${TESK_SOURCE_DIR}/src/framework/${_module}/*.cpp)
  foreach(_file ${_files})
    file(STRINGS ${_file} _lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](framework/)?app/")
    foreach(_line ${_lines})
      file(RELATIVE_PATH _rel ${TESK_SOURCE_DIR} ${_file})
      string(STRIP "${_line}" _line)
      string(APPEND _offences "\n  ${_rel}: ${_line}")
    endforeach()
  endforeach()
endforeach()
if(_offences)
  message(FATAL_ERROR "A lower framework module includes app/ (reach the application through "
                      "ImageRegistry, FontHost, WidgetApp, ResourceHost or an interface of that kind):"
                      "${_offences}")
endif()
