# Writes the images of an icon file as resource statements: one RT_ICON
# resource per image, numbered from FIRST_ID in the file's order, and the
# RT_GROUP_ICON resource NAME that lists them. windres's ICON statement
# numbers the images itself, always from 1, so the resources are written
# out as raw data here.
#
#   cmake -DICON=app.ico -DOUTPUT=app_icon.rc2 -DNAME=DEFAULT_ICON -DFIRST_ID=3
#         -P icon_resources.cmake

foreach(var ICON OUTPUT NAME FIRST_ID)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "icon_resources.cmake: ${var} is not set")
    endif()
endforeach()

file(READ "${ICON}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR file_size "${hex_length} / 2")

# The unsigned little-endian value of count bytes at offset.
function(read_le out offset count)
    set(value 0)
    math(EXPR last "${count} - 1")
    foreach(k RANGE 0 ${last})
        math(EXPR at "(${offset} + ${k}) * 2")
        string(SUBSTRING "${hex}" ${at} 2 byte)
        math(EXPR value "${value} + (0x${byte} << (8 * ${k}))")
    endforeach()
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# count bytes at offset as 16-bit words for a resource's raw data, which
# windres takes in words (or longs), not bytes.
function(words out offset count)
    math(EXPR at "${offset} * 2")
    math(EXPR length "${count} * 2")
    string(SUBSTRING "${hex}" ${at} ${length} bytes)
    string(REGEX REPLACE "(..)(..)" "0x\\2\\1, " list "${bytes}")
    # Twelve words a line; CMake's regular expressions have no {12}.
    string(REPEAT "[^ ]+ " 12 line)
    string(REGEX REPLACE "(${line})" "\\1\n" list "${list}")
    set(${out} "${list}" PARENT_SCOPE)
endfunction()

function(fail why)
    message(FATAL_ERROR "${ICON}: ${why}")
endfunction()

if(file_size LESS 6)
    fail("not an icon file")
endif()
read_le(reserved 0 2)
read_le(type 2 2)
read_le(count 4 2)
if(NOT reserved EQUAL 0 OR NOT type EQUAL 1 OR count EQUAL 0)
    fail("not an icon file")
endif()
math(EXPR directory_end "6 + 16 * ${count}")
if(file_size LESS directory_end)
    fail("the icon directory is cut short")
endif()

get_filename_component(icon_name "${ICON}" NAME)
set(text "// Written from ${icon_name} at build time; edit the icon, not this file.\n\n")
# GRPICONDIR: the icon file's own header.
words(group 0 6)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last})
    math(EXPR entry "6 + 16 * ${i}")
    math(EXPR size_at "${entry} + 8")
    math(EXPR offset_at "${entry} + 12")
    read_le(image_size ${size_at} 4)
    read_le(image_offset ${offset_at} 4)
    math(EXPR image_end "${image_offset} + ${image_size}")
    math(EXPR odd "${image_size} % 2")
    if(image_size EQUAL 0 OR image_end GREATER file_size)
        fail("image ${i} lies outside the file")
    endif()
    if(odd)
        fail("image ${i} has an odd size, which raw resource data in words cannot hold")
    endif()
    math(EXPR id "${FIRST_ID} + ${i}")

    words(image ${image_offset} ${image_size})
    string(APPEND text "${id} 3 /* RT_ICON */\nBEGIN\n${image}\nEND\n\n")

    # GRPICONDIRENTRY: the first 12 bytes of the file's ICONDIRENTRY, then
    # the resource id in place of the file offset.
    words(entry_words ${entry} 12)
    string(APPEND group "${entry_words}${id}, ")
endforeach()
string(APPEND text "${NAME} 14 /* RT_GROUP_ICON */\nBEGIN\n${group}\nEND\n")

# windres wants no comma after the last item of raw data.
string(REGEX REPLACE ",[ \n]*\nEND" "\nEND" text "${text}")
file(WRITE "${OUTPUT}" "${text}")
