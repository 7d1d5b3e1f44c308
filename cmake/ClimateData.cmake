# SPDX-License-Identifier: GPL-3.0-or-later
# The six climate files the engine offers: measured daily mean temperatures (SMHI open data,
# CC BY 4.0, see data/climate/README.md). They are copied into the build tree, where the engine
# finds them beside its executable, and installed the same way.
set(VARMKALK_CLIMATE_FILES malmo.dat jkping.dat sthlm.dat falun.dat ostersnd.dat kiruna.dat)
set(VARMKALK_CLIMATE_DIR "${CMAKE_SOURCE_DIR}/data/climate"
    CACHE PATH "Folder that holds the six climate files")
get_filename_component(VARMKALK_CLIMATE_DIR "${VARMKALK_CLIMATE_DIR}" ABSOLUTE)

list(JOIN VARMKALK_CLIMATE_FILES ", " climate_file_names)
foreach(climate_file IN LISTS VARMKALK_CLIMATE_FILES)
  if(NOT EXISTS "${VARMKALK_CLIMATE_DIR}/${climate_file}")
    message(FATAL_ERROR
      "Climate file ${climate_file} not found in ${VARMKALK_CLIMATE_DIR}.\n"
      "VARMKALK needs the six climate files ${climate_file_names}. The repository holds them "
      "in data/climate; -DVARMKALK_CLIMATE_DIR must name a folder with all six, one line per "
      "day, printf(\"%4d%7.1f\\r\\n\", day, temperature), day 1 = 1 January.")
  endif()
endforeach()

set(VARMKALK_BUILD_CLIMATE_DIR "${CMAKE_BINARY_DIR}/share/varmkalk/climate")
foreach(climate_file IN LISTS VARMKALK_CLIMATE_FILES)
  configure_file("${VARMKALK_CLIMATE_DIR}/${climate_file}"
                 "${VARMKALK_BUILD_CLIMATE_DIR}/${climate_file}" COPYONLY)
  install(FILES "${VARMKALK_BUILD_CLIMATE_DIR}/${climate_file}"
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/varmkalk/climate)
endforeach()
