#include "OptionDlg.h"

COptionDlg::COptionDlg(QWidget* parent) : QDialog(parent) {}

COptionDlg::~COptionDlg() = default;
