# The four help documents exist in DOCS and name themselves and VERSION.
#   cmake -DDOCS=<build>/docs -DVERSION=3.3.8 -P check_manuals.cmake
find_program(PDFTOTEXT pdftotext REQUIRED)

set(documents
  "Silvaronen-Messung_Handbuch.pdf|Silvaronen-Messung|Handbuch"
  "Norlath_Measurement_Manual.pdf|Norlath Measurement|Manual"
  "PRALO_Bedienungsanleitung.pdf|PRALO|Bedienungsanleitung"
  "PRALO_Operating_Instructions.pdf|PRALO|Operating Instructions")

set(failures 0)
foreach(entry IN LISTS documents)
  string(REPLACE "|" ";" fields "${entry}")
  list(POP_FRONT fields file)
  if(NOT EXISTS "${DOCS}/${file}")
    message(SEND_ERROR "missing: ${DOCS}/${file}")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  execute_process(COMMAND ${PDFTOTEXT} -enc UTF-8 "${DOCS}/${file}" -
                  OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "pdftotext cannot read ${file}")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  foreach(word IN LISTS fields ITEMS "Version ${VERSION}")
    string(FIND "${text}" "${word}" found)
    if(found EQUAL -1)
      message(SEND_ERROR "${file} lacks \"${word}\"")
      math(EXPR failures "${failures} + 1")
    endif()
  endforeach()
endforeach()
if(failures EQUAL 0)
  message(STATUS "the four manuals are there, each with its title and version ${VERSION}")
endif()
