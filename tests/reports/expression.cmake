# Expression language, report functions, character grid and code pages.
rivwood_add_test(reports_expression_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ExpressionEvaluatorTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ExpressionFunctionsTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ExpressionFormatTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/TListFunkciTest.cpp
  LIBS rivwood_reports)
rivwood_add_test(reports_grid_test GUI
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/TZnakovePoleTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/TZnakovePolePrinterTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/CodePagesTest.cpp
  LIBS rivwood_reports)
rivwood_add_test(reports_eval_cli_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/EvalCliTest.cpp
  LIBS Qt6::Core)
if(TARGET rivwood-cli)
  add_dependencies(reports_eval_cli_test rivwood-cli)
endif()
