#pragma once
// Saving a job as a text file: each item's number, title and story, lines of
// at most 80 columns that never split a character, CR LF throughout, in
// UTF-8 or Big5 as the person chose.
#include <string>

#include "NewsOutput.h"

class CWnd;

namespace news_save {

enum class Encoding { Utf8, Big5 };

// The file's text (UTF-8, CR LF line ends).
std::string strFileText(const CNewsOutputJob& job);

// Asks for a file (the save dialog, parent `parent`) and writes the job to
// it. An existing file is replaced only when the person agrees and only once
// the new one is completely written; what goes wrong is told in a message box.
void vSaveJob(CWnd* parent, CNewsOutputJob& job);

// Writes `bytes` to `path` through a temporary file of the same folder,
// renamed over it once complete. False with the reason when it fails; an
// existing file is then left as it was.
bool bWriteReplacing(const std::string& path, const std::string& bytes, std::string& reason);

}  // namespace news_save
