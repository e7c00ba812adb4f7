#pragma once

// Command ids of the main window's menu and toolbar, carried as QAction::data().
enum EditorCommand : int {
    ID_FILE_OPEN = 57601,
    ID_APP_EXIT = 57665,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_CUT = 57635,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_HELP_INDEX = 57666,
    ID_HELP = 57670,
    ID_OPTIONS = 32773,
    ID_ABOUT = 32780,
    ID_HOME_PAGE = 32786,
};

// Ids of the main window's controls (kept as the widgets' object names).
enum EditorControl : int {
    IDC_FOLDER = 1000,
    IDC_TABLE_LIST = 1001,
    IDC_SELECT = 1002,
    IDC_INSERT = 1003,
    IDC_UPDATE = 1004,
    IDC_DELETE = 1005,
    IDC_CLEAR_SELECTION = 1035,
    IDC_OUTPUT = 1040,
    IDC_TOOLBAR = 148,
};
