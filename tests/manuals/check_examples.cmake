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

# The gear table of "Many gears at once" (program manual and README), in a
# fresh settings folder: the spur gear is the one above, so its row repeats
# its numbers. The helical gear by hand: alpha_t = atan(tan 20° / cos 15°)
# = 20.647°, inv alpha_t = 0.016453; d = 3 · 45 / cos 15° = 139.762;
# W_k = 3 · cos 20° · (5.5 · π + 45 · 0.016453) + 2 · 0.2 · 3 · sin 20°
# = 2.81908 · 18.01916 + 0.41042 = 51.208 mm.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SILVARONE_HOME=${WORK}
          ${SILVARONE} batch "${EXAMPLES}/zahnraeder.csv" --lang en
  OUTPUT_VARIABLE table ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 3)
  message(SEND_ERROR "silvarone batch zahnraeder.csv: status ${status}, the manual says 3: ${errors}")
  math(EXPR failures "${failures} + 1")
endif()
# A row's empty cells are list elements of their own.
cmake_policy(SET CMP0007 NEW)
string(REPLACE "\n" ";" table_rows "${table}")
list(POP_FRONT table_rows header)
string(REPLACE "," ";" header "${header}")

# expect_cells(ID COLUMN VALUE...): the row ID holds VALUE in COLUMN, for
# each pair in turn (the example's rows have no comma inside a field).
function(expect_cells id)
  set(found)
  foreach(line IN LISTS table_rows)
    if(line MATCHES "^${id},")
      string(REPLACE "," ";" found "${line}")
    endif()
  endforeach()
  if(NOT found)
    message(SEND_ERROR "no row ${id} in the batch output")
    math(EXPR failures "${failures} + 1")
    set(failures ${failures} PARENT_SCOPE)
    return()
  endif()
  set(pairs "${ARGN}")
  while(pairs)
    list(POP_FRONT pairs column value)
    list(FIND header "${column}" index)
    set(cell "<no column>")
    if(index GREATER -1)
      list(GET found ${index} cell)
    endif()
    if(NOT cell STREQUAL value)
      message(SEND_ERROR "batch row ${id}: ${column} is '${cell}', the manual says '${value}'")
      math(EXPR failures "${failures} + 1")
      set(failures ${failures} PARENT_SCOPE)
    endif()
  endwhile()
endfunction()

expect_cells(spur
  d 40.000   d_b 37.588   k_span 3   W_k 15.321   Wke 15.280   Wki 15.251
  M_dk 44.929   MdKe 44.831   MdKi 44.764   xE 0.000   xEe -0.030   xEi -0.051
  A_sne -44   T_sn 30   A_sni -74   D_M 3.449   k_M 2   Q 12.765
  Q_plus_D_M 16.214   Q_plus_D_M_upper 16.183   Q_plus_D_M_lower 16.161   in_range false
  xE_working -0.042   Wk_real 15.263   Mdk_real 44.790   status ok)
expect_cells(helical
  d 139.762   k_span 6   W_k 51.208   Wke 51.133   Wki 51.086
  M_dk 149.144   MdKe 148.958   MdKi 148.841   xE 0.200   xEe 0.163   xEi 0.140
  A_sne -80   T_sn 50   A_sni -130   D_M 5.173   k_M 5
  Q_plus_D_M 52.419   Q_plus_D_M_upper 52.359   Q_plus_D_M_lower 52.321   in_range false
  xE_working ""   status ok)
expect_cells(bad-angle d ""   W_k ""   Q_plus_D_M ""   status -103)
if(NOT table MATCHES "\nbad-angle,[^\n]*,Not all data available! Error by conversion of Normal pressure angle alpha_n \\(3\\)\n")
  message(SEND_ERROR "the refused row does not name the pressure angle as the manual says")
  math(EXPR failures "${failures} + 1")
endif()
# The German manual quotes the German message.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SILVARONE_HOME=${WORK}
          ${SILVARONE} batch "${EXAMPLES}/zahnraeder.csv" --lang de
  OUTPUT_VARIABLE table_de RESULT_VARIABLE status)
if(NOT table_de MATCHES "\nbad-angle,[^\n]*,Es sind nicht alle Zeichnungsdaten eingegeben! Fehler bei Konvertierung von Normaleingriffswinkel alpha_n \\(3\\)\n")
  message(SEND_ERROR "the refused row does not name the pressure angle as the German manual says")
  math(EXPR failures "${failures} + 1")
endif()

# The inspection log of the worked example (chapter "Inspection log" of the
# program manual, and the README): a test dimension within its limits.
foreach(lang en de)
  file(REMOVE_RECURSE "${WORK}")
  file(MAKE_DIRECTORY "${WORK}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env SILVARONE_HOME=${WORK}
            ${SILVARONE} log add "${EXAMPLES}/stirnrad_m2_z20.tvp" --measured 16.170 --serial A-17
            --lang ${lang}
    OUTPUT_VARIABLE line ERROR_VARIABLE errors RESULT_VARIABLE status)
  set(expected_en "Record 1: test dimension 16.170 mm, within limits (nominal 16.214, upper 16.183, lower 16.161), xE -0.042\n")
  set(expected_de "Eintrag 1: Prüfmaß 16.170 mm, innerhalb der Grenzmaße (Nennmaß 16.214, oben 16.183, unten 16.161), xE -0.042\n")
  if(NOT status EQUAL 0 OR NOT line STREQUAL "${expected_${lang}}")
    message(SEND_ERROR "silvarone log add (${lang}): status ${status}, '${line}', the manual says '${expected_${lang}}': ${errors}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
if(failures EQUAL 0)
  message(STATUS "the numbers of the worked examples are the program's")
endif()
