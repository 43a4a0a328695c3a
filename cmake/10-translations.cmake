# Translation catalogues. Each folder under resources/translations/ is one
# compiled catalogue; every .ts file in it is merged by lrelease into that
# catalogue, so each part of the program keeps its own source file.
#   transEnglish/       -> :/transEnglish.qm
#   transSimpleChinese/ -> :/transSimpleChinese.qm
#   i18n_en_US/         -> :/i18n/en_US.qm
#   i18n_zh_CN/         -> :/i18n/zh_CN.qm
set(VELM_QM_DIR ${CMAKE_BINARY_DIR}/qm)
file(MAKE_DIRECTORY ${VELM_QM_DIR}/i18n)
set(VELM_CATALOGUES
  "transEnglish|transEnglish.qm"
  "transSimpleChinese|transSimpleChinese.qm"
  "i18n_en_US|i18n/en_US.qm"
  "i18n_zh_CN|i18n/zh_CN.qm")
set(VELM_QM_FILES)
foreach(entry ${VELM_CATALOGUES})
  string(REPLACE "|" ";" parts ${entry})
  list(GET parts 0 folder)
  list(GET parts 1 qm)
  file(GLOB ts_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/translations/${folder}/*.ts)
  list(SORT ts_files)
  add_custom_command(
    OUTPUT ${VELM_QM_DIR}/${qm}
    COMMAND Qt6::lrelease -silent ${ts_files} -qm ${VELM_QM_DIR}/${qm}
    DEPENDS ${ts_files}
    COMMENT "Compiling catalogue ${qm}"
    VERBATIM)
  list(APPEND VELM_QM_FILES ${VELM_QM_DIR}/${qm})
endforeach()
set_source_files_properties(${VELM_QM_FILES} PROPERTIES GENERATED TRUE)
qt_add_resources(velm_core velm_catalogues
  PREFIX "/"
  BASE ${VELM_QM_DIR}
  FILES ${VELM_QM_FILES})
