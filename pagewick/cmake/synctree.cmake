# cmake -DSTAGE=dir -DTREE=dir -DPDFTOTEXT=path -DSYNC=SyncTree.cmake -P synctree.cmake
#
# Refreshes pagewick's program folder from the stage: the program is always replaced, the other
# shipped files only while the user has not changed them, and what only the user has (setup.ini,
# options.ini, feedback.ini, the output folder) is never touched. data/pdftotext stays a link to
# the system's converter instead of becoming a copy of it.

set(link ${TREE}/data/pdftotext)
if(NOT EXISTS ${link} AND NOT IS_SYMLINK ${link})
    file(MAKE_DIRECTORY ${TREE}/data)
    file(CREATE_LINK ${PDFTOTEXT} ${link} SYMBOLIC)
endif()
set(PROGRAMS pagewick)
include(${SYNC})
