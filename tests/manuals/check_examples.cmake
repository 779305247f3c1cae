# The numbers of the worked examples in docs/manual are still the program's:
# runs the program on the example projects and looks for each quoted value.
#   cmake -DSILVARONE=<exe> -DEXAMPLES=<docs/manual/examples> -DWORK=<folder> -P check_examples.cmake
set(failures 0)

# report(VARIABLE ARGUMENTS...): the English report of a run in a fresh settings folder.
function(report variable)
  file(REMOVE_RECURSE "${WORK}")
  file(MAKE_DIRECTORY "${WORK}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env SILVARONE_HOME=${WORK} ${SILVARONE} report ${ARGN} --lang en
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "silvarone report ${ARGN}: status ${status}: ${errors}")
  endif()
  set(${variable} "${output}" PARENT_SCOPE)
  set(${variable}_ERRORS "${errors}" PARENT_SCOPE)
endfunction()

# expect(TEXT ROW VALUE...): a report line that starts with the ROW pattern
# and ends with VALUE, for each value in turn on the following rows.
function(expect text)
  set(rows ${ARGN})
  while(rows)
    list(POP_FRONT rows row value)
    string(REGEX REPLACE "([.+*?^$()|])" "\\\\\\1" pattern "${value}")
    if(NOT text MATCHES "\n${row}[^\n]* ${pattern}\n")
      message(SEND_ERROR "no line '${row} ... ${value}'")
      math(EXPR failures "${failures} + 1")
      set(failures ${failures} PARENT_SCOPE)
    endif()
  endwhile()
endfunction()

# The spur gear m_n 2, z 20 of the program manual.
report(text "${EXAMPLES}/stirnrad_m2_z20.tvp")
expect("${text}"
  "Reference diameter" 40.000   "Base diameter" 37.588   "DIN 3967 " -0.044/-0.074
  "  recommend +DDM" 3.449      "  recommend +kD" 2
  "Reference +Q " 12.765        "Check gauge" 16.214
  "Upper check gauge" 16.183    "Lower check gauge" 16.161
  "  recommend +k " 3           "Base tangent length \\(nom" 15.321
  "Upper base tangent" 15.280   "Lower base tangent" 15.251
  "  recommend +DM " 3.449      "Dia\\. two-ball" 44.929
  "Upper dia" 44.831            "Lower dia" 44.764
  "Nominal size" 0.000          "Upper limit size" -0.030   "Lower limit size" -0.051)
report(text "${EXAMPLES}/stirnrad_m2_z20.tvp" --mode wk)
expect("${text}" "Dia\\. two-ball" 44.930 "Upper dia" 44.832 "Lower dia" 44.763
  "Nominal size" 0.000 "Upper limit size" -0.030 "Lower limit size" -0.051)
report(text "${EXAMPLES}/stirnrad_m2_z20.tvp" --measured 16.170)
expect("${text}" "shift coefficient +xEreal" -0.042 "Base tangent length +Wkreal" 15.263
  "Diametral two-ball measurement +MdKreal" 44.790)
report(text "${EXAMPLES}/stirnrad_m2_z20.tvp" --measured 22)
if(text MATCHES "xEreal" OR NOT text_ERRORS MATCHES "Back calculation not possible")
  message(SEND_ERROR "a reading 5 mm or more away is not refused")
  math(EXPR failures "${failures} + 1")
endif()
report(text "${EXAMPLES}/stirnrad_m2_z20.tvp" --json)
string(JSON largest GET "${text}" fields MaximumT)
if(NOT largest STREQUAL "5.507")
  message(SEND_ERROR "largest ball ${largest}, the manual says 5.507")
  math(EXPR failures "${failures} + 1")
endif()

# The spur gear m_n 5, z 110 of the instrument manual.
report(text "${EXAMPLES}/pralo_m5_z110.tvp")
expect("${text}"
  "Reference diameter" 550.000  "DIN 3967 " -0.110/-0.170
  "  recommend +DDM" 8.402      "  input +DDM" 8.000        "  recommend +kD" 12
  "Reference +Q " 185.429       "Check gauge" 193.429
  "Upper check gauge" 193.329   "Lower check gauge" 193.275
  "Base tangent length \\(nom" 192.211 "Upper base tangent" 192.108 "Lower base tangent" 192.052
  "Dia\\. two-ball" 559.790     "Upper dia" 559.495         "Lower dia" 559.334
  "Nominal size" 0.000          "Upper limit size" -0.030   "Lower limit size" -0.047)
report(text "${EXAMPLES}/pralo_m5_z110.tvp" --measured 193.300)
expect("${text}" "shift coefficient +xEreal" -0.039 "Base tangent length +Wkreal" 192.078
  "Diametral two-ball measurement +MdKreal" 559.407)
report(text "${EXAMPLES}/pralo_m5_z110.tvp" --json)
string(JSON smallest GET "${text}" fields MinimumT)
string(JSON largest GET "${text}" fields MaximumT)
if(NOT smallest STREQUAL "5.277" OR NOT largest STREQUAL "11.941")
  message(SEND_ERROR "usable balls ${smallest} to ${largest}, the manual says 5.277 to 11.941")
  math(EXPR failures "${failures} + 1")
endif()

file(REMOVE_RECURSE "${WORK}")
if(failures EQUAL 0)
  message(STATUS "the numbers of the worked examples are the program's")
endif()
