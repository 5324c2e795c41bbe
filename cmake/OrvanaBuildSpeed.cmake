# Build time on a small machine: headers most files of a target include are
# parsed once per target, and lld links when it is there.

# orvana_precompile(TARGET [QT] [GTEST])
function(orvana_precompile target)
  cmake_parse_arguments(P "QT;GTEST" "" "" ${ARGN})
  set(headers <algorithm> <cstdint> <functional> <memory> <string> <vector>)
  if(P_QT)
    list(APPEND headers <QtCore/QObject> <QtCore/QString> <QtCore/QStringList> <QtCore/QTimer>
         <QtGui/QFont> <QtGui/QPainter> <QtWidgets/QApplication> <QtWidgets/QDialog> <QtWidgets/QLabel>
         <QtWidgets/QLayout> <QtWidgets/QPushButton> <QtWidgets/QWidget>)
  endif()
  if(P_GTEST)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

find_program(ORVANA_LLD ld.lld)
if(ORVANA_LLD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_link_options(-fuse-ld=lld)
endif()

# The desktop program's own code is resident for as long as it runs, and
# nothing in it is a hot loop (the decoder is not built this way): small code
# beats unrolled code there.
function(orvana_size_optimized target)
  if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT ORVANA_SANITIZE)
    target_compile_options(${target} PRIVATE -Os)
  endif()
endfunction()
