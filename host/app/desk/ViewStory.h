#pragma once
// A view's story window as the host reaches it: opened on a row of the
// current sheet as the person does it (the row focused, then the view's
// command 5406), and found for placing or reporting.
#include <string>

class INewsStoryWindow;
class SKQBaseView;

// The view's story window, null when the view has none.
INewsStoryWindow* ViewStoryWindow(SKQBaseView& view);
// False, with the reason in `error`, when the view has no such row or no
// story window, or the window did not open.
bool OpenViewStory(SKQBaseView& view, int row, std::string& error);
