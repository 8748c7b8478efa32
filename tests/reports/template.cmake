# Report templates: reader, writer, file handling, paper formats, object model.
rivwood_add_test(rivwood_template_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/TemplateFieldsTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/TemplateReaderTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/TemplateRoundTripTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/TemplateFileTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PaperFormatTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/SestavaNoGuiTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/TextWrapTest.cpp
  LIBS rivwood_reports)

# Report engine: composition, output pages, PDF, the report component.
rivwood_add_test(rivwood_engine_tests
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/EngineComposeTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/EngineOutputTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/SestavaComponentTest.cpp
  LIBS rivwood_reports
  GUI)
