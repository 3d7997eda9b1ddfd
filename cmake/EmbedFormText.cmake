# Turns a window's form text into a C++ source holding it as a character array.
#   cmake -DINPUT=Unit.dfm -DOUTPUT=UnitFormText.cpp -DSYMBOL=UnitFormText -P EmbedFormText.cmake
file(READ "${INPUT}" text)
if(text MATCHES "\\)form_text\"")
  message(FATAL_ERROR "${INPUT} holds the closing mark of the raw string")
endif()
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp" "// Made from ${name} while building; edit that file instead.\nextern const char ${SYMBOL}[];\nconst char ${SYMBOL}[] = R\"form_text(${text})form_text\";\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
