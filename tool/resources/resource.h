/* Resource ids of the update tool: dialogs, their controls, strings, icon and
 * animation. Shared by the resource scripts and the code; the English and the
 * Japanese set use the same ids. Only #define lines, so the resource compiler
 * reads it too. */
#ifndef TOOL_RESOURCES_RESOURCE_H
#define TOOL_RESOURCES_RESOURCE_H

/* Controls that the code never addresses. */
#define IDC_STATIC (-1)

/* Icon and animation clip. */
#define IDI_APP 512
#define IDR_TRANSFER_ANIMATION 900

/* Dialogs. */
#define IDD_ABOUT 100
#define IDD_PRINTER_SELECT 102
#define IDD_WARNING 129
#define IDD_PROGRESS 705
#define IDD_OPERATING 706

/* Controls of the printer-selection dialog. */
#define IDC_PRINTER_LIST 1000
#define IDC_UPDATE 1001
#define IDC_EXIT 1004

/* Controls of the warning dialog. */
#define IDC_WARNING_HEADING 1005
#define IDC_WARNING_NOTICE 1006
#define IDC_WARNING_INSTRUCTIONS 1007

/* Controls of the About box. */
#define IDC_ABOUT_PRODUCT 1007
#define IDC_ABOUT_VERSION 1008

/* Controls of the progress and operating windows. */
#define IDC_PROGRESS_BAR 2310
#define IDC_PROGRESS_FILE 2311
#define IDC_PROGRESS_PERCENT 2312
#define IDC_PROGRESS_ANIMATION 2313
#define IDC_OPERATING_TEXT 2510

/* Strings. */
#define IDS_ABOUT_MENU 101
#define IDS_VERSION_FORMAT 102
#define IDS_REGISTRY_KEY 1010
#define IDS_TRANSFERRING 1710
#define IDS_CANNOT_COMMUNICATE 1910
#define IDS_TRANSFER_FAILED 1911
#define IDS_TRANSFER_CANCELLED 1916
#define IDS_PRINTER_ID_ERROR 1917
#define IDS_NO_COMPATIBLE_PRINTER 1919
#define IDS_CONFIRM_UPDATE 2002
#define IDS_UPDATE_COMPLETED 2011
#define IDS_WARNING_NOTICE 2100
#define IDS_WARNING_INSTRUCTIONS 2101
#define IDS_APP_TITLE 3000

#endif /* TOOL_RESOURCES_RESOURCE_H */
