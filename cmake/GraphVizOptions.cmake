# Options of `cmake --graphviz=deps.dot`: the program's libraries and programs, without the
# optimised copies of the logic, GoogleTest and the system libraries.
set(GRAPHVIZ_IGNORE_TARGETS "_o2$" "^gtest" "^gmock" "^benchmark")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
