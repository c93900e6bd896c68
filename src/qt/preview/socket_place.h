// Where the tool's end of the control socket is made, and what to do with ones left behind.
#pragma once

#include <QString>
#include <QStringList>

namespace quillbay {

// A new socket name: the prefix and 128 random bits from the system's source, so that nobody can connect
// first by guessing it.
QString unguessableSocketName();
bool isOurSocketName(const QString& fileName);

// The folders a socket file may go in, best first: the session's runtime folder when it names an absolute
// folder (a relative one is invalid and ignored), then the temporary folder (TMPDIR, else /tmp). Empty on
// systems whose local sockets are not files.
QStringList socketFolders();

// Why a socket called `name` cannot be made in `folder`, as a clause for the user ("the folder does not
// exist"); empty when nothing speaks against it.
QString socketFolderProblem(const QString& folder, const QString& name);

// Removes the sockets in `folder` that a killed tool left behind: socket files with our names, owned by
// `userId`, that nobody accepts a connection on. Nothing else is touched. Returns how many went.
int removeStaleSockets(const QString& folder, uint userId);

}  // namespace quillbay
