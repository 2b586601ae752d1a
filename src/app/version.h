/* The program's version: read by the C++ code and by the Windows resource compiler alike, so it is
   plain preprocessor text and nothing else. */
#pragma once

#define QS_VERSION_MAJOR 2
#define QS_VERSION_MINOR 2
#define QS_VERSION_REVISION 104

#define QS_VERSION_TEXT_(major, minor, revision) #major "." #minor "." #revision
#define QS_VERSION_TEXT(major, minor, revision) QS_VERSION_TEXT_(major, minor, revision)
/* "2.2.104" */
#define QS_VERSION_STRING QS_VERSION_TEXT(QS_VERSION_MAJOR, QS_VERSION_MINOR, QS_VERSION_REVISION)
