# The climate files are third-party measured data (SMHI, via ECA&D). They are never part of the
# project's sources: they are taken from a folder given at configure time and copied into the
# build tree, where the engine finds them beside its executable.
set(VARMKALK_CLIMATE_FILES malmo.dat jkping.dat sthlm.dat falun.dat ostersnd.dat kiruna.dat)
set(VARMKALK_CLIMATE_DIR "${CMAKE_SOURCE_DIR}/../shared/climate"
    CACHE PATH "Folder that holds the six climate files")
get_filename_component(VARMKALK_CLIMATE_DIR "${VARMKALK_CLIMATE_DIR}" ABSOLUTE)

list(JOIN VARMKALK_CLIMATE_FILES ", " climate_file_names)
foreach(climate_file IN LISTS VARMKALK_CLIMATE_FILES)
  if(NOT EXISTS "${VARMKALK_CLIMATE_DIR}/${climate_file}")
    message(FATAL_ERROR
      "Climate file ${climate_file} not found in ${VARMKALK_CLIMATE_DIR}.\n"
      "VARMKALK needs the six climate files ${climate_file_names}: daily mean outdoor "
      "temperatures of one year (measured SMHI station data, open data under CC BY 4.0, "
      "redistributed by ECA&D). They are not part of the sources. Point the build at them with\n"
      "  cmake -DVARMKALK_CLIMATE_DIR=/path/to/climate ...\n"
      "To make them from SMHI's open data, download parameter 2 (\"Lufttemperatur, medelvärde "
      "1 dygn\") of the stations Malmö A (52350), Jönköpings flygplats (74460), Stockholm "
      "(98210), Falun-Lugnet (105370), Östersund-Frösön (134110) and Kiruna flygplats (180940) "
      "and write one line per day of one year, printf(\"%4d%7.1f\\r\\n\", day, temperature), "
      "day 1 = 1 January.")
  endif()
endforeach()

set(VARMKALK_BUILD_CLIMATE_DIR "${CMAKE_BINARY_DIR}/share/varmkalk/climate")
foreach(climate_file IN LISTS VARMKALK_CLIMATE_FILES)
  configure_file("${VARMKALK_CLIMATE_DIR}/${climate_file}"
                 "${VARMKALK_BUILD_CLIMATE_DIR}/${climate_file}" COPYONLY)
  install(FILES "${VARMKALK_BUILD_CLIMATE_DIR}/${climate_file}"
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/varmkalk/climate)
endforeach()
