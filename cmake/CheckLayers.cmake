# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes what its folder may not include (docs/architecture.md draws
# the layers):  cmake -DROOT=<source folder> -P CheckLayers.cmake
# Each folder below lists what it may include besides its own files: folders (with the folders
# inside them) and, where a program uses one helper of the tests, that file alone. A folder absent
# from the list of another is above it or a test folder, and an include of it is a back-arrow.
# Every source file lies in a listed folder, so that a new folder is placed in the table.
set(layers
  core/text
  core/case
  core/model
  core/heatpump
  core/files
  core/climate_import
  core/formats
  core/run
  core/generators
  core/cost
  frontend/controls
  frontend/logic/run
  frontend/logic/form
  frontend/logic/kept
  frontend/logic/year
  frontend/logic/heatpump
  frontend/logic/sweep
  frontend/logic/cost
  frontend/examples
  frontend/help
  frontend/platform
  frontend/charts
  frontend/compare
  frontend/sweep
  frontend/app
  engine
  tools/common
  tools/batch
  tools/klimat
  tools/vp
  tools/screenshots
  bench
  fuzz)
set(test_layers
  core/tests/support
  core/tests
  engine/tests
  frontend/tests/support
  frontend/tests
  tools/batch/tests
  tools/klimat/tests
  tools/vp/tests)

set(core_text_may "")
set(core_case_may core/text)
set(core_model_may core/case core/text)
set(core_heatpump_may core/model core/text)
set(core_files_may core/text)
set(core_climate_import_may core/files core/text)
set(core_formats_may core/case core/climate_import core/files core/heatpump core/model core/text)
set(core_run_may ${core_formats_may} core/formats)
set(core_generators_may ${core_run_may} core/run)
set(core_cost_may ${core_generators_may} core/generators)
set(core_any ${core_cost_may} core/cost)

set(frontend_controls_may "")
# The logic's subjects, lowest first: each may include those before it.
set(frontend_logic_run_may ${core_any} frontend/controls)
set(frontend_logic_form_may ${frontend_logic_run_may} frontend/logic/run)
set(frontend_logic_kept_may ${frontend_logic_form_may} frontend/logic/form)
set(frontend_logic_year_may ${frontend_logic_kept_may} frontend/logic/kept)
set(frontend_logic_heatpump_may ${frontend_logic_year_may} frontend/logic/year)
set(frontend_logic_sweep_may ${frontend_logic_heatpump_may} frontend/logic/heatpump)
set(frontend_logic_cost_may ${frontend_logic_sweep_may} frontend/logic/sweep)
set(frontend_examples_may ${core_any} frontend/controls frontend/logic)
set(frontend_help_may ${core_any} frontend/controls)
set(frontend_platform_may ${core_any} frontend/controls frontend/logic)
set(frontend_charts_may ${frontend_platform_may} frontend/help frontend/platform)
set(frontend_compare_may ${frontend_charts_may} frontend/charts)
set(frontend_sweep_may ${frontend_charts_may} frontend/charts)
set(frontend_app_may ${frontend_compare_may} frontend/compare frontend/sweep)
set(frontend_any ${frontend_app_may} frontend/app frontend/examples)

set(engine_may ${core_any})
set(tools_common_may ${core_any})
set(tools_batch_may ${core_any} tools/common)
set(tools_klimat_may ${tools_batch_may})
set(tools_vp_may ${tools_batch_may})
# The screenshot tool drives the front end's windows; it has no console of its own.
set(tools_screenshots_may ${frontend_any})
set(programs ${frontend_any} engine tools/common tools/batch tools/klimat tools/vp
             tools/screenshots)
# The benchmarks time the worked example and kalvex-batch's table as the tests make them, and
# fuzzing compares line ends as the engine's tests do.
set(bench_may ${programs} core/tests/support/worked_example.h tools/batch/tests/batch_table.h)
set(fuzz_may ${programs} core/tests/support/crlf_lines.h)

set(core_tests_support_may ${core_any})
set(core_tests_may ${core_any} core/tests/support)
set(engine_tests_may ${engine_may} engine core/tests/support)
set(frontend_tests_support_may ${frontend_any} core/tests/support)
set(frontend_tests_may ${frontend_any} frontend/tests/support core/tests/support)
set(tools_batch_tests_may ${tools_batch_may} tools/batch core/tests/support)
set(tools_klimat_tests_may ${tools_klimat_may} tools/klimat core/tests/support)
set(tools_vp_tests_may ${tools_vp_may} tools/vp core/tests/support)

# True when `path` is `entry` or lies in the folder `entry`.
function(lies_in path entry result)
  string(FIND "${path}" "${entry}/" start)
  if(path STREQUAL entry OR start EQUAL 0)
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

# The layer of a path: the longest folder of the lists it lies in; empty for none.
function(layer_of path result)
  set(found "")
  foreach(layer ${layers} ${test_layers})
    lies_in("${path}" "${layer}" inside)
    string(LENGTH "${layer}" length)
    string(LENGTH "${found}" found_length)
    if(inside AND length GREATER found_length)
      set(found "${layer}")
    endif()
  endforeach()
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

set(sources "")
foreach(top core engine frontend tools bench fuzz)
  file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${top}/*.h" "${ROOT}/${top}/*.cpp")
  list(APPEND sources ${found})
endforeach()
# An include however it is indented, in quotes or in angle brackets.
set(include_line "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">]")
set(faults 0)
foreach(source ${sources})
  layer_of("${source}" own)
  if(own STREQUAL "")
    message(SEND_ERROR "${source}: mappen saknas i lagrens tabell (cmake/CheckLayers.cmake, "
                       "docs/architecture.md)")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  string(REPLACE "/" "_" key "${own}")
  file(STRINGS "${ROOT}/${source}" includes REGEX "${include_line}")
  foreach(line ${includes})
    string(REGEX MATCH "${include_line}" target "${line}")
    set(target "${CMAKE_MATCH_1}")
    # A path up out of the folder would hide the layer it reaches.
    string(FIND "${target}" "../" up)
    if(NOT up EQUAL -1)
      message(SEND_ERROR "${source}: ${target} ska skrivas med sin mapp, utan ../")
      math(EXPR faults "${faults} + 1")
      continue()
    endif()
    layer_of("${target}" other)
    if(other STREQUAL "" OR other STREQUAL own)
      continue()
    endif()
    set(allowed FALSE)
    foreach(entry ${${key}_may})
      lies_in("${target}" "${entry}" inside)
      if(inside)
        set(allowed TRUE)
        break()
      endif()
    endforeach()
    if(allowed)
      continue()
    endif()
    list(FIND test_layers "${other}" test_folder)
    if(NOT test_folder EQUAL -1)
      message(SEND_ERROR "${source}: ${own} får inte inkludera ${target} (${other} hör till "
                         "testerna)")
    else()
      # Above it, or beside it: either way not among the layers it builds on.
      message(SEND_ERROR "${source}: ${own} får inte inkludera ${target} (${other} är inget av "
                         "det ${own} bygger på)")
    endif()
    math(EXPR faults "${faults} + 1")
  endforeach()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} fel mot lagrens tabell: inkluderingar bakåt eller filer "
                      "utanför den")
endif()
