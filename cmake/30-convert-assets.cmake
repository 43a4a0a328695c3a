# Converter page artwork, copied from npm packages into the build tree at
# build time and compiled into velm_core:
#   :/property_icons/<name>.svg  category icons and the swap icon (@tabler/icons)
#   :/img/<cc>.svg               currency flags (flag-icons, 4x3)
# The copies get a small default size (icons 10x10, flags 40x30) so the page
# can render them at three times their size and the combo boxes do not keep
# 640x480 pixmaps. Nothing of the packages is kept in the repository.
#
# The same file, run with "cmake -DIN=... -DOUT=... -DW=... -DH=... -P", does
# the copy of one file.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${IN}" svg)
  # Drop any width/height of the root element, then set ours.
  string(REGEX MATCH "<svg[^>]*>" root "${svg}")
  set(newroot "${root}")
  string(REGEX REPLACE "[ \t\r\n]+width=\"[^\"]*\"" "" newroot "${newroot}")
  string(REGEX REPLACE "[ \t\r\n]+height=\"[^\"]*\"" "" newroot "${newroot}")
  string(REGEX REPLACE "^<svg" "<svg width=\"${W}\" height=\"${H}\"" newroot "${newroot}")
  string(FIND "${svg}" "${root}" at)
  string(LENGTH "${root}" rootlen)
  string(SUBSTRING "${svg}" 0 ${at} head)
  math(EXPR tailstart "${at} + ${rootlen}")
  string(SUBSTRING "${svg}" ${tailstart} -1 tail)
  file(WRITE "${OUT}.tmp" "${head}${newroot}${tail}")
  file(RENAME "${OUT}.tmp" "${OUT}")
  return()
endif()

set(VELM_CONVERT_ASSET_DIR ${CMAKE_BINARY_DIR}/convert_assets)
set(VELM_TABLER_DIR ${CMAKE_SOURCE_DIR}/node_modules/@tabler/icons/icons/outline)
set(VELM_FLAG_DIR ${CMAKE_SOURCE_DIR}/node_modules/flag-icons/flags/4x3)

# resource name -> tabler icon
set(VELM_CONVERT_ICONS
  "currencies|coins" "length|ruler" "mass|weight" "area|dimensions" "volume|box"
  "time|clock" "speed|brand-speedtest" "force|arrow-big-right-lines" "torque|rotate-clockwise"
  "temperature|temperature" "pressure|gauge" "energy|bolt" "power|plug"
  "capacitance|circuit-capacitor" "resistance|circuit-resistor" "conductance|circuit-diode"
  "inductance|circuit-inductor" "current|circuit-ammeter" "charge|battery-charging"
  "magnetic|magnet" "angle|angle" "datastorage|database" "convert|arrows-exchange")
set(VELM_CONVERT_FLAGS au bg br ca ch cn cz dk eu gb hk hu id il in is jp kr mx my no nz ph pl ro se sg
  th tr us za)

set(velm_convert_outputs)
set(velm_convert_qrc_lines)
macro(velm_convert_asset src alias w h)
  set(out ${VELM_CONVERT_ASSET_DIR}/${alias})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${src} -DOUT=${out} -DW=${w} -DH=${h}
            -P ${CMAKE_CURRENT_LIST_DIR}/30-convert-assets.cmake
    DEPENDS ${src} ${CMAKE_CURRENT_LIST_DIR}/30-convert-assets.cmake
    COMMENT "Converter asset ${alias}"
    VERBATIM)
  list(APPEND velm_convert_outputs ${out})
  string(APPEND velm_convert_qrc_lines "        <file alias=\"${alias}\">${out}</file>\n")
endmacro()

file(MAKE_DIRECTORY ${VELM_CONVERT_ASSET_DIR}/property_icons ${VELM_CONVERT_ASSET_DIR}/img)
foreach(entry ${VELM_CONVERT_ICONS})
  string(REPLACE "|" ";" parts ${entry})
  list(GET parts 0 name)
  list(GET parts 1 icon)
  velm_convert_asset(${VELM_TABLER_DIR}/${icon}.svg property_icons/${name}.svg 10 10)
endforeach()
foreach(cc ${VELM_CONVERT_FLAGS})
  velm_convert_asset(${VELM_FLAG_DIR}/${cc}.svg img/${cc}.svg 40 30)
endforeach()

set(VELM_CONVERT_QRC ${VELM_CONVERT_ASSET_DIR}/convert_assets.qrc)
file(CONFIGURE OUTPUT ${VELM_CONVERT_QRC} CONTENT
"<RCC>\n    <qresource prefix=\"/\">\n${velm_convert_qrc_lines}    </qresource>\n</RCC>\n")
set_source_files_properties(${velm_convert_outputs} PROPERTIES GENERATED TRUE)
qt_add_resources(VELM_CONVERT_RCC_SOURCES ${VELM_CONVERT_QRC})
set_source_files_properties(${VELM_CONVERT_QRC} PROPERTIES SKIP_AUTORCC ON)
add_custom_target(velm_convert_assets DEPENDS ${velm_convert_outputs})
add_dependencies(velm_core velm_convert_assets)
target_sources(velm_core PRIVATE ${VELM_CONVERT_RCC_SOURCES})
