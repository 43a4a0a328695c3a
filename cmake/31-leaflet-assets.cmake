# Leaflet for the GPS page's OpenStreetMap page, copied from its npm package
# into the build tree at build time and compiled into velm_core:
#   :/html/images/leaflet.js, :/html/images/leaflet.css
#   :/html/images/images/<marker and layer images>
# The map pages themselves are in resources/html/images/. Nothing of the
# package is kept in the repository.

set(VELM_LEAFLET_DIR ${CMAKE_SOURCE_DIR}/node_modules/leaflet/dist)
set(VELM_LEAFLET_OUT ${CMAKE_BINARY_DIR}/leaflet_assets)
set(VELM_LEAFLET_FILES
  "leaflet.js|html/images/leaflet.js"
  "leaflet.css|html/images/leaflet.css"
  "images/marker-icon.png|html/images/images/marker-icon.png"
  "images/marker-icon-2x.png|html/images/images/marker-icon-2x.png"
  "images/marker-shadow.png|html/images/images/marker-shadow.png"
  "images/layers.png|html/images/images/layers.png"
  "images/layers-2x.png|html/images/images/layers-2x.png")

set(velm_leaflet_outputs)
set(velm_leaflet_qrc_lines)
foreach(entry ${VELM_LEAFLET_FILES})
  string(REPLACE "|" ";" parts ${entry})
  list(GET parts 0 src)
  list(GET parts 1 alias)
  set(out ${VELM_LEAFLET_OUT}/${alias})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${VELM_LEAFLET_DIR}/${src} ${out}
    DEPENDS ${VELM_LEAFLET_DIR}/${src}
    COMMENT "Leaflet asset ${alias}"
    VERBATIM)
  list(APPEND velm_leaflet_outputs ${out})
  string(APPEND velm_leaflet_qrc_lines "        <file alias=\"${alias}\">${out}</file>\n")
endforeach()

set(VELM_LEAFLET_QRC ${VELM_LEAFLET_OUT}/leaflet_assets.qrc)
file(MAKE_DIRECTORY ${VELM_LEAFLET_OUT}/html/images/images)
file(CONFIGURE OUTPUT ${VELM_LEAFLET_QRC} CONTENT
"<RCC>\n    <qresource prefix=\"/\">\n${velm_leaflet_qrc_lines}    </qresource>\n</RCC>\n")
set_source_files_properties(${velm_leaflet_outputs} PROPERTIES GENERATED TRUE)
qt_add_resources(VELM_LEAFLET_RCC_SOURCES ${VELM_LEAFLET_QRC})
set_source_files_properties(${VELM_LEAFLET_QRC} PROPERTIES SKIP_AUTORCC ON)
add_custom_target(velm_leaflet_assets DEPENDS ${velm_leaflet_outputs})
add_dependencies(velm_core velm_leaflet_assets)
target_sources(velm_core PRIVATE ${VELM_LEAFLET_RCC_SOURCES})
