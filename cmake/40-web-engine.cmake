# The "More" page's web view comes from a module of its own, velm_web.so
# next to libvelm_core.so, loaded when the page is first shown
# (common/webview.h), and the GPS page's map is shown the same way. velm_core
# itself does not link Qt WebEngine: a library that does loads the engine,
# and the OpenGL context it sets up, at every start.
add_library(velm_web MODULE ${CMAKE_SOURCE_DIR}/web/webengineview.cpp)
target_link_libraries(velm_web PRIVATE Qt6::WebEngineWidgets)
set_target_properties(velm_web PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(velm_core velm_web)
target_compile_definitions(velm_core PRIVATE VELM_WEB_MODULE="velm_web${CMAKE_SHARED_MODULE_SUFFIX}")
