# SPDX-License-Identifier: GPL-3.0-or-later
# The layer check on a small tree of its own under TMPDIR: the clean tree passes, and each fault
# planted in it alone fails, naming its file:  cmake -P CheckLayersTest.cmake
set(temp "$ENV{TMPDIR}")
if(temp STREQUAL "")
  set(temp /tmp)
endif()
string(RANDOM LENGTH 12 suffix)
set(tree "${temp}/varmkalk-layers-${suffix}")

# One file of each kind of folder, each with includes the table allows: indented, in angle
# brackets, a test's helper in a benchmark. Most folders are missing, as a new one is at first.
function(write_clean_tree)
  file(REMOVE_RECURSE "${tree}")
  file(WRITE "${tree}/core/text/digits.h" "#pragma once\n#include <string>\n")
  file(WRITE "${tree}/core/case/units.h" "#if 1\n  #include \"core/text/digits.h\"\n#endif\n")
  file(WRITE "${tree}/core/run/case_run.h" "# include <core/case/units.h>\n")
  file(WRITE "${tree}/core/generators/gas_boiler.h" "#include \"core/run/case_run.h\"\n")
  file(WRITE "${tree}/core/cost/year_cost.h" "#include \"core/generators/gas_boiler.h\"\n")
  file(WRITE "${tree}/frontend/logic/run/engine_run.h" "#include \"core/cost/year_cost.h\"\n")
  file(WRITE "${tree}/frontend/logic/form/form_input.h"
       "#include \"frontend/logic/run/engine_run.h\"\n")
  file(WRITE "${tree}/frontend/app/main.cpp"
       "#include <QApplication>\n#include \"frontend/logic/form/form_input.h\"\n")
  file(WRITE "${tree}/tools/common/program.h" "#include \"core/text/digits.h\"\n")
  file(WRITE "${tree}/tools/batch/main.cpp"
       "#include \"core/cost/year_cost.h\"\n#include \"tools/common/program.h\"\n")
  file(WRITE "${tree}/tools/screenshots/main.cpp" "#include \"frontend/logic/form/form_input.h\"\n")
  file(WRITE "${tree}/core/tests/support/worked_example.h" "#include \"core/case/units.h\"\n")
  file(WRITE "${tree}/core/tests/support/temp_folder.h" "#pragma once\n")
  file(WRITE "${tree}/core/tests/case/units_test.cpp"
       "#include \"core/case/units.h\"\n#include \"core/tests/support/temp_folder.h\"\n")
  file(WRITE "${tree}/bench/model_bench.cpp" "#include \"core/tests/support/worked_example.h\"\n")
endfunction()

# Runs the check on the tree; `expect_fault` names the file it should find at fault, empty for
# none. A mismatch is added to `mismatches`.
function(check_tree case_name expect_fault)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -DROOT=${tree} -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CheckLayers.cmake"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  string(REPLACE "\n" " " output "${output}")
  if(expect_fault STREQUAL "")
    set(right FALSE)
    if(status EQUAL 0)
      set(right TRUE)
    endif()
  else()
    string(FIND "${output}" "${expect_fault}:" named)
    set(right FALSE)
    if(NOT status EQUAL 0 AND NOT named EQUAL -1)
      set(right TRUE)
    endif()
  endif()
  if(NOT right)
    set(mismatches ${mismatches} "${case_name} (status ${status}): ${output}" PARENT_SCOPE)
  endif()
endfunction()

set(mismatches "")
write_clean_tree()
check_tree("rent träd" "")

# Each fault: the file it goes in, then the line planted there.
set(faults
  "tools/batch/main.cpp" "#include \"frontend/logic/form/form_input.h\""
  "core/case/units.h" "#include \"core/tests/support/temp_folder.h\""
  "core/text/digits.h" "    #include \"core/case/units.h\""
  "core/text/digits.h" "#  include \"core/case/units.h\""
  "core/text/digits.h" "#include <core/case/units.h>"
  "frontend/logic/run/engine_run.h" "#include \"frontend/logic/form/form_input.h\""
  "core/run/case_run.h" "#include \"core/generators/gas_boiler.h\""
  "bench/model_bench.cpp" "#include \"core/tests/support/temp_folder.h\""
  "tools/screenshots/main.cpp" "#include \"tools/common/program.h\""
  "frontend/logic/form/form_input.h" "#include \"../../app/main.cpp\""
  "core/boiler/boiler.h" "#pragma once")
list(LENGTH faults count)
math(EXPR last "${count} - 1")
foreach(index RANGE 0 ${last} 2)
  math(EXPR line_index "${index} + 1")
  list(GET faults ${index} file)
  list(GET faults ${line_index} line)
  write_clean_tree()
  file(APPEND "${tree}/${file}" "${line}\n")
  check_tree("${file}: ${line}" "${file}")
endforeach()
file(REMOVE_RECURSE "${tree}")

if(mismatches)
  list(JOIN mismatches "\n" shown)
  message(FATAL_ERROR "lagerkontrollen svarade fel:\n${shown}")
endif()
