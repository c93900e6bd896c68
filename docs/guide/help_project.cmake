# Writes the HTML Help project for the guide into PROJECT_DIR: the pages and pictures, help.hhp, the table
# of contents (toc.hhc: each page by its title, with its headings that carry an id beneath it) and the index
# (index.hhk: every page title and every such heading, sorted). So the two never drift from the pages.
#   cmake -D SOURCE_DIR=... -D PROJECT_DIR=... -D PAGES=a.html;... -D FILES=a.html;b.png;... -P help_project.cmake
cmake_minimum_required(VERSION 3.25)

file(MAKE_DIRECTORY ${PROJECT_DIR})
foreach(file IN LISTS FILES)
  file(COPY_FILE ${SOURCE_DIR}/${file} ${PROJECT_DIR}/${file})
endforeach()

# A ; would split CMake's lists, and the pages' entities (&lt;) are full of them: they travel as @SEMICOLON@.
function(sitemap_entry out name local)
  string(REPLACE "@SEMICOLON@" ";" name "${name}")
  string(REPLACE "\"" "&quot;" name "${name}")
  set(${out} "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"${name}\"><param name=\"Local\" value=\"${local}\"></OBJECT>\n" PARENT_SCOPE)
endfunction()

set(head "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML><HEAD><meta charset=\"utf-8\"></HEAD><BODY>\n")
set(toc "${head}<OBJECT type=\"text/site properties\"><param name=\"Window Styles\" value=\"0x800025\"></OBJECT>\n<UL>\n")
set(keywords)
list(GET PAGES 0 first)
foreach(page IN LISTS PAGES)
  file(READ ${SOURCE_DIR}/${page} html)
  string(REPLACE ";" "@SEMICOLON@" html "${html}")
  if(NOT html MATCHES "<title>([^<]+)</title>")
    message(FATAL_ERROR "${page} has no <title>")
  endif()
  set(title "${CMAKE_MATCH_1}")
  sitemap_entry(entry "${title}" ${page})
  string(APPEND toc "${entry}")
  list(APPEND keywords "${title}\t${page}")
  string(REGEX MATCHALL "<h2 id=\"[^\"]+\">[^<]+</h2>" headings "${html}")
  if(headings)
    string(APPEND toc "<UL>\n")
    foreach(heading IN LISTS headings)
      string(REGEX MATCH "<h2 id=\"([^\"]+)\">([^<]+)</h2>" _ "${heading}")
      sitemap_entry(entry "${CMAKE_MATCH_2}" "${page}#${CMAKE_MATCH_1}")
      string(APPEND toc "${entry}")
    endforeach()
    string(APPEND toc "</UL>\n")
  endif()
  # The index also names the smaller headings and what a page marks as a term of its own (<dfn id=...>).
  string(REGEX MATCHALL "<(h2|h3|dfn) id=\"[^\"]+\">[^<]+</(h2|h3|dfn)>" terms "${html}")
  foreach(term IN LISTS terms)
    string(REGEX MATCH "<[a-z0-9]+ id=\"([^\"]+)\">([^<]+)</" _ "${term}")
    list(APPEND keywords "${CMAKE_MATCH_2}\t${page}#${CMAKE_MATCH_1}")
  endforeach()
endforeach()
string(APPEND toc "</UL>\n</BODY></HTML>\n")
file(WRITE ${PROJECT_DIR}/toc.hhc "${toc}")

list(SORT keywords CASE INSENSITIVE)
set(index "${head}<UL>\n")
foreach(keyword IN LISTS keywords)
  string(REPLACE "\t" ";" parts "${keyword}")
  list(GET parts 0 name)
  list(GET parts 1 local)
  sitemap_entry(entry "${name}" "${local}")
  string(APPEND index "${entry}")
endforeach()
string(APPEND index "</UL>\n</BODY></HTML>\n")
file(WRITE ${PROJECT_DIR}/index.hhk "${index}")

list(GET PAGES 0 first)
file(READ ${SOURCE_DIR}/${first} html)
string(REGEX MATCH "<title>([^<]+)</title>" _ "${html}")
set(title "${CMAKE_MATCH_1}")
string(REPLACE ";" "\n" listed "${FILES}")
file(WRITE ${PROJECT_DIR}/help.hhp "[OPTIONS]
Compatibility=1.1 or later
Compiled file=help.chm
Contents file=toc.hhc
Index file=index.hhk
Default topic=${first}
Default Window=main
Display compile progress=No
Full-text search=Yes
Language=0x409 English (United States)
Title=${title}

[WINDOWS]
main=\"${title}\",\"toc.hhc\",\"index.hhk\",\"${first}\",\"${first}\",,,,,0x63520,220,0x10184E,[80,60,920,700],,,,,,,0

[FILES]
${listed}
")
