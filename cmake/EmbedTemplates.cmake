# Compiles supplied page templates into a library, as the last fallback of
# the exports when a program runs without its template folders:
#   tavrel_embed_templates(<target> <header> <function> <file>...)
# generates a source that defines <function>(const std::string& fileName)
# (declared in <header>, relative to src/), which gives the template of that
# name (any letter case) with CR LF line ends, or "" when none is built in.
set(TAVREL_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedTemplatesScript.cmake)

function(tavrel_embed_templates target header function)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_supplied_templates.cpp)
  string(REPLACE ";" "|" inputs "${ARGN}")
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DHEADER=${header} -DFUNCTION=${function}
            -DINPUTS=${inputs} -P ${TAVREL_EMBED_SCRIPT}
    DEPENDS ${ARGN} ${TAVREL_EMBED_SCRIPT}
    COMMENT "Compiling the supplied templates into ${target}"
    VERBATIM)
  # The rule lives in this folder; the target may come from another one.
  add_custom_target(${target}_supplied_templates DEPENDS ${out})
  add_dependencies(${target} ${target}_supplied_templates)
  target_sources(${target} PRIVATE ${out})
endfunction()
