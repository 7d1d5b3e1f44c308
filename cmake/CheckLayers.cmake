# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file of the core library or the front end includes a folder its layer may not
# include (docs/architecture.md draws the layers):  cmake -DROOT=<source folder> -P CheckLayers.cmake
# Each folder below lists the folders it may include besides its own; a folder absent from the
# list of another is above it, and an include of it is a back-arrow.
set(layers
  core/text
  core/case
  core/model
  core/heatpump
  core/files
  core/climate_import
  core/formats
  core/run
  core/cost
  frontend/controls
  frontend/logic
  frontend/examples
  frontend/help
  frontend/platform
  frontend/charts
  frontend/compare
  frontend/sweep
  frontend/app)
set(core_text_may "")
set(core_case_may core/text)
set(core_model_may core/case core/text)
set(core_heatpump_may core/model)
set(core_files_may core/text)
set(core_climate_import_may core/files core/text)
set(core_formats_may core/case core/climate_import core/files core/heatpump core/model core/text)
set(core_run_may core/case core/climate_import core/files core/formats core/heatpump core/model
    core/text)
set(core_cost_may core/case core/climate_import core/files core/formats core/heatpump core/model
    core/run core/text)
set(core_any core/text core/case core/model core/heatpump core/files core/climate_import core/formats
    core/run core/cost)
set(frontend_controls_may "")
set(frontend_logic_may ${core_any} frontend/controls)
set(frontend_examples_may ${core_any} frontend/controls frontend/logic)
set(frontend_help_may ${core_any} frontend/controls)
set(frontend_platform_may ${core_any} frontend/controls frontend/logic)
set(frontend_charts_may ${core_any} frontend/controls frontend/logic frontend/help
                         frontend/platform)
set(frontend_compare_may ${frontend_charts_may} frontend/charts)
set(frontend_sweep_may ${frontend_charts_may} frontend/charts)
set(frontend_app_may ${frontend_compare_may} frontend/compare frontend/sweep)

# The layer of a path: the longest folder of the list it lies in; empty for none.
function(layer_of path result)
  set(found "")
  foreach(layer ${layers})
    string(LENGTH "${layer}/" length)
    string(SUBSTRING "${path}" 0 ${length} start)
    string(LENGTH "${found}" found_length)
    if(start STREQUAL "${layer}/" AND length GREATER found_length)
      set(found "${layer}")
    endif()
  endforeach()
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/core/*.h" "${ROOT}/core/*.cpp"
     "${ROOT}/frontend/*.h" "${ROOT}/frontend/*.cpp")
set(faults 0)
foreach(source ${sources})
  layer_of("${source}" own)
  if(own STREQUAL "")
    continue()  # the tests, which may include what they test
  endif()
  string(REPLACE "/" "_" key "${own}")
  file(STRINGS "${ROOT}/${source}" includes REGEX "^#include \"")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    layer_of("${target}" other)
    if(other STREQUAL "" OR other STREQUAL own)
      continue()
    endif()
    list(FIND ${key}_may "${other}" allowed)
    if(allowed EQUAL -1)
      message(SEND_ERROR "${source}: ${own} får inte inkludera ${target} (${other} ligger över det)")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} inkluderingar går bakåt mellan lagren")
endif()
