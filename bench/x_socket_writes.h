#pragma once
// Writes to the X server's socket, counted by the program's own writev and sendmsg, which the
// benchmark exports (bench/CMakeLists.txt) so that the X library's calls reach them first.

// Writes to a socket whose peer is an X server's, since the start.
long XSocketWrites();
