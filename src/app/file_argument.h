#pragma once
// A settings file named on the command line, as a file manager's "Open with" passes it.

#include <QString>

class TForm1;

namespace q9tx {

// Loads the file once the window's event loop runs, exactly as a file dropped on the
// window: by its absolute path, through the same checks and messages. A "file:" URL is
// taken as the file it names.
void LoadFileArgumentLater(TForm1& window, const QString& argument);

}  // namespace q9tx
