#pragma once
// Printing a job: one or more pages per item with a story, each with its
// frames, the emblem, the time, the page number, the label, the whole title
// and at most 49 story lines of 80 columns.
#include "NewsOutput.h"

class CDC;
class CWnd;

namespace news_print {

// Asks the person for a printer (the print dialog, parent `parent`) and
// prints the job on it; cancelled, nothing is printed.
void vPrintJob(CWnd* parent, CNewsOutputJob& job);

// Prints the job on a printing device context.
void vPrintOn(CDC& dc, const CNewsOutputJob& job);

}  // namespace news_print
