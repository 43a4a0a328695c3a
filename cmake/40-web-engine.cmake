# The web engine lives in a module of its own, velm_web.so next to
# libvelm_core.so, which the program loads when a page first shows a web
# view (app/webview.h). velm_core does not link Qt WebEngine: linking it
# would set the engine and an OpenGL context up at every start.
add_library(velm_web MODULE ${CMAKE_SOURCE_DIR}/web/webengineview.cpp)
target_link_libraries(velm_web PRIVATE Qt6::WebEngineWidgets)
set_target_properties(velm_web PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(velm_core velm_web)
target_compile_definitions(velm_core PRIVATE VELM_WEB_MODULE="velm_web${CMAKE_SHARED_MODULE_SUFFIX}")
