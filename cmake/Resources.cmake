# QML documents are compiled ahead of time and published at the resource root.
# Every image a document names is taken from SVG source under Resource/:
#   "Resource/x/name.svg"     -> the SVG itself
#   "Resource/x/name_3.png"   -> rendered from Resource/x/name.svg at 3 px per unit
#   "Resource/x/name.png"     -> the same, for the few pictures named without the scale
# The resource file lists exactly the image names the documents use.

file(GLOB QML_DOCUMENTS CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/qml ${CMAKE_SOURCE_DIR}/qml/*.qml ${CMAKE_SOURCE_DIR}/qml/*.js)
set(_qml_qrc "${CMAKE_BINARY_DIR}/qml.qrc")
set(_content "<RCC>\n  <qresource prefix=\"/\">\n")
set(_image_names "")
foreach(doc ${QML_DOCUMENTS})
  string(APPEND _content "    <file alias=\"${doc}\">${CMAKE_SOURCE_DIR}/qml/${doc}</file>\n")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/qml/${doc})
  file(READ ${CMAKE_SOURCE_DIR}/qml/${doc} _text)
  string(REGEX MATCHALL "Resource/[A-Za-z0-9_./+&-]+\\.(png|svg)" _refs "${_text}")
  list(APPEND _image_names ${_refs})
endforeach()
string(APPEND _content "  </qresource>\n</RCC>\n")
file(CONFIGURE OUTPUT ${_qml_qrc} CONTENT "${_content}" @ONLY)
if(_image_names)
  list(REMOVE_DUPLICATES _image_names)
  list(SORT _image_names)
endif()

set(_img_qrc_content "<RCC>\n  <qresource prefix=\"/\">\n")
set(_img_files "")
foreach(name ${_image_names})
  if(name MATCHES "\\.png$")
    string(REGEX REPLACE "(_3)?\\.png$" "" _stem "${name}")
    set(_svg "${CMAKE_SOURCE_DIR}/${_stem}.svg")
    set(_png "${CMAKE_BINARY_DIR}/art/${name}")
    if(NOT EXISTS ${_svg})
      message(FATAL_ERROR "A document names ${name}, but its source ${_stem}.svg does not exist")
    endif()
    add_custom_command(OUTPUT ${_png}
      COMMAND kz470-svg2png ${_svg} ${_png} 3
      DEPENDS kz470-svg2png ${_svg}
      COMMENT "Rendering ${name}" VERBATIM)
    list(APPEND _img_files ${_png})
    string(APPEND _img_qrc_content "    <file alias=\"${name}\">${_png}</file>\n")
  elseif(name MATCHES "\\.svg$")
    set(_svg "${CMAKE_SOURCE_DIR}/${name}")
    if(NOT EXISTS ${_svg})
      message(FATAL_ERROR "A document names ${name}, which does not exist")
    endif()
    list(APPEND _img_files ${_svg})
    # A name with "&" is written "&amp;" in the resource file's XML.
    string(REPLACE "&" "&amp;" _xml_name "${name}")
    string(REPLACE "&" "&amp;" _xml_svg "${_svg}")
    string(APPEND _img_qrc_content "    <file alias=\"${_xml_name}\">${_xml_svg}</file>\n")
  else()
    message(FATAL_ERROR "A document names ${name}: images are SVG sources or their _3.png renderings")
  endif()
endforeach()
string(APPEND _img_qrc_content "  </qresource>\n</RCC>\n")
set(_img_qrc "${CMAKE_BINARY_DIR}/images.qrc")
file(CONFIGURE OUTPUT ${_img_qrc} CONTENT "${_img_qrc_content}" @ONLY)

set(_img_cpp "${CMAKE_BINARY_DIR}/qrc_images.cpp")
add_custom_command(OUTPUT ${_img_cpp}
  COMMAND Qt5::rcc --name images -o ${_img_cpp} ${_img_qrc}
  DEPENDS ${_img_files} ${_img_qrc}
  COMMENT "Packing images" VERBATIM)

qtquick_compiler_add_resources(KZ_QML_RESOURCES ${_qml_qrc})

# Object library so that the resources' static initialisers are always linked in.
add_library(kz470ui OBJECT ${KZ_QML_RESOURCES} ${_img_cpp})
target_link_libraries(kz470ui PUBLIC Qt5::Core Qt5::Qml Qt5::Quick)
set_property(GLOBAL PROPERTY KZ_IMAGE_NAMES "${_image_names}")
