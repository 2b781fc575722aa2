# Writes a man page from a program's --help: cmake -DPROGRAM=... -DNAME=... -DVERSION=...
# -DOUTPUT=... -P man_page.cmake. The first line of the help after the usage is the summary.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status
                ENCODING UTF-8)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
string(REPLACE "${PROGRAM}" "${NAME}" help "${help}")
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "\n([.'])" "\n\\\\&\\1" help "\n${help}")
string(REGEX MATCH "\n[^\n]*\n([^\n]*)" first_lines "${help}")
string(SUBSTRING "${help}" 1 -1 help)
set(summary "${CMAKE_MATCH_1}")
string(TOUPPER "${NAME}" title)
file(WRITE ${OUTPUT} ".TH ${title} 1 \"\" \"${NAME} ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${summary}
.SH DESCRIPTION
.nf
${help}
.fi
")
