// The place where a rule that the scenario breaks is mended, shown as the
// user would open it: the page, its sub-pane (a process table, the zoom
// grid or the recovery table, the settling table concerned) and the
// location concerned selected in its page's list.
#include "editor_services.h"
#include "editor_shell.h"
#include "location_pages.h"
#include "process_page.h"
#include "scenario_check.h"

void ShowScenarioBreak(int page, int subPane, int item)
{
    if (page < 0 || page >= EDITOR_PAGE_COUNT)
        return;
    SwitchPage(page);
    if (page == CHECK_PAGE_PROCESS && subPane >= 0) {
        ShowProcessSubPane(subPane);
        if (subPane == CHECK_PANE_SETTLING && item >= 0 && SubPaneWindow(CHECK_PANE_SETTLING))
            ShowSettlingTableKind(SubPaneWindow(CHECK_PANE_SETTLING), item);
    } else if (page == CHECK_PAGE_OUTPUT && (subPane == CHECK_PANE_ZOOM_GRID || subPane == CHECK_PANE_RECOVERY)) {
        ShowSubPane(PageWindows[page], subPane == CHECK_PANE_ZOOM_GRID ? 21 : 22, subPane);
    } else if (IsLocationPage(page) && item >= 0 && PageWindows[page]) {
        FillNameList(PageWindows[page], 1, LocationList(page), item);
        ShowSelectedLocation(PageWindows[page], 0);
    }
}
