#pragma once
// A settings file named on the command line, as a file manager's "Open with" passes it.

#include <QString>

class TForm1;

namespace q9tx {

// The absolute path of the file an argument names: a "file:" URL is taken as the file it
// names, a relative path from the current folder.
QString FileArgumentPath(const QString& argument);

// Loads the file once the window's event loop runs, exactly as a file dropped on the
// window: by its absolute path (FileArgumentPath), through the same checks and messages.
void LoadFileArgumentLater(TForm1& window, const QString& argument);

}  // namespace q9tx
