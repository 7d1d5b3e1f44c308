# SPDX-License-Identifier: GPL-3.0-or-later
# The heat pumps' declarations (Heat Pump KEYMARK, see data/heatpumps/README.md), copied into the
# build tree, where kalvex-vp finds them beside its executable, and installed the same way.
file(GLOB VARMKALK_HEAT_PUMP_FILES RELATIVE "${CMAKE_SOURCE_DIR}/data/heatpumps"
     CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/data/heatpumps/*.csv")
set(VARMKALK_BUILD_HEAT_PUMP_DIR "${CMAKE_BINARY_DIR}/share/varmkalk/heatpumps")
foreach(heat_pump_file IN LISTS VARMKALK_HEAT_PUMP_FILES)
  configure_file("${CMAKE_SOURCE_DIR}/data/heatpumps/${heat_pump_file}"
                 "${VARMKALK_BUILD_HEAT_PUMP_DIR}/${heat_pump_file}" COPYONLY)
  install(FILES "${VARMKALK_BUILD_HEAT_PUMP_DIR}/${heat_pump_file}"
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/varmkalk/heatpumps)
endforeach()
