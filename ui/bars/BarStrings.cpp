#include "ui/bars/BarStrings.h"

namespace dxBarStrs {

const TResStringRec dxSBAR_LOOKUPDIALOGCAPTION{"Select value"};
const TResStringRec dxSBAR_LOOKUPDIALOGOK{"OK"};
const TResStringRec dxSBAR_LOOKUPDIALOGCANCEL{"Cancel"};
const TResStringRec dxSBAR_DIALOGOK{"OK"};
const TResStringRec dxSBAR_DIALOGCANCEL{"Cancel"};
const TResStringRec dxSBAR_COLOR_STR_0{"Black"};
const TResStringRec dxSBAR_COLOR_STR_1{"Maroon"};
const TResStringRec dxSBAR_COLOR_STR_2{"Green"};
const TResStringRec dxSBAR_COLOR_STR_3{"Olive"};
const TResStringRec dxSBAR_COLOR_STR_4{"Navy"};
const TResStringRec dxSBAR_COLOR_STR_5{"Purple"};
const TResStringRec dxSBAR_COLOR_STR_6{"Teal"};
const TResStringRec dxSBAR_COLOR_STR_7{"Gray"};
const TResStringRec dxSBAR_COLOR_STR_8{"Silver"};
const TResStringRec dxSBAR_COLOR_STR_9{"Red"};
const TResStringRec dxSBAR_COLOR_STR_10{"Lime"};
const TResStringRec dxSBAR_COLOR_STR_11{"Yellow"};
const TResStringRec dxSBAR_COLOR_STR_12{"Blue"};
const TResStringRec dxSBAR_COLOR_STR_13{"Fuchsia"};
const TResStringRec dxSBAR_COLOR_STR_14{"Aqua"};
const TResStringRec dxSBAR_COLOR_STR_15{"White"};
const TResStringRec dxSBAR_COLORAUTOTEXT{"(automatic)"};
const TResStringRec dxSBAR_COLORCUSTOMTEXT{"(custom)"};
const TResStringRec dxSBAR_DATETODAY{"Today"};
const TResStringRec dxSBAR_DATECLEAR{"Clear"};
const TResStringRec dxSBAR_DATEDIALOGCAPTION{"Select the date"};
const TResStringRec dxSBAR_TREEVIEWDIALOGCAPTION{"Select item"};
const TResStringRec dxSBAR_IMAGEDIALOGCAPTION{"Select item"};
const TResStringRec dxSBAR_IMAGEINDEX{"Image Index"};
const TResStringRec dxSBAR_IMAGETEXT{"Text"};
const TResStringRec dxSBAR_PLACEFORCONTROL{"The place for the "};
const TResStringRec dxSBAR_CANTASSIGNCONTROL{"You cannot assign the same control to more than one TdxBarControlContainerItem."};
const TResStringRec dxSBAR_CXEDITVALUEDIALOGCAPTION{"Enter value"};
const TResStringRec dxSBAR_WANTTORESETTOOLBAR{"Are you sure you want to reset the changes made to the '%s' toolbar?"};
const TResStringRec dxSBAR_WANTTORESETUSAGEDATA{"This will delete the record of the commands you've used in this application and restore the default set of visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you sure you want to proceed?"};
const TResStringRec dxSBAR_BARMANAGERMORETHANONE{"A control should contain only a single TdxBarManager"};
const TResStringRec dxSBAR_BARMANAGERBADOWNER{"TdxBarManager should have TWinControl as its Owner"};
const TResStringRec dxSBAR_NOBARMANAGERS{"There are no TdxBarManagers available"};
const TResStringRec dxSBAR_WANTTODELETETOOLBAR{"Are you sure you want to delete the '%s' toolbar?"};
const TResStringRec dxSBAR_WANTTODELETETOOLBARS{"Are you sure you want to delete the selected toolbars?"};
const TResStringRec dxSBAR_WANTTODELETECATEGORY{"Are you sure you want to delete the '%s' category?"};
const TResStringRec dxSBAR_WANTTOCLEARCOMMANDS{"Are you sure you want to delete all commands in the '%s' category?"};
const TResStringRec dxSBAR_RECURSIVEMENUS{"You cannot create recursive menus"};
const TResStringRec dxSBAR_COMMANDNAMECANNOTBEBLANK{"A command name cannot be blank. Please enter a name."};
const TResStringRec dxSBAR_TOOLBAREXISTS{"A toolbar named '%s' already exists. Type another name."};
const TResStringRec dxSBAR_RECURSIVEGROUPS{"You cannot create recursive groups"};
const TResStringRec dxSBAR_WANTTODELETECOMPLEXITEM{"One of the selected objects has several links. Do you want to delete these links?"};
const TResStringRec dxSBAR_CANTPLACEQUICKACCESSGROUPBUTTON{"You cannot place a group button here"};
const TResStringRec dxSBAR_QUICKACCESSGROUPBUTTONTOOLBARNOTDOCKEDINRIBBON{"The group button toolbar is not docked in the ribbon"};
const TResStringRec dxSBAR_QUICKACCESSALREADYHASGROUPBUTTON{"The quick access toolbar already has a group button for this toolbar"};
const TResStringRec dxSBAR_CANTPLACESEPARATOR{"A separator item cannot be placed on the specified toolbar"};
const TResStringRec dxSBAR_CANTPLACERIBBONGALLERY{"You cannot place a gallery here"};
const TResStringRec dxSBAR_CANTMERGEBARMANAGER{"You cannot merge with the specified bar manager"};
const TResStringRec dxSBAR_CANTMERGETOOLBAR{"You cannot merge with the specified toolbar"};
const TResStringRec dxSBAR_CANTMERGEWITHMERGEDTOOLBAR{"You cannot merge a toolbar with a toolbar that is already merged"};
const TResStringRec dxSBAR_CANTUNMERGETOOLBAR{"You cannot unmerge the specified toolbar"};
const TResStringRec dxSBAR_ONEOFTOOLBARSALREADYMERGED{"One of the toolbars of the specified bar manager is already merged"};
const TResStringRec dxSBAR_ONEOFTOOLBARSHASMERGEDTOOLBARS{"One of the toolbars of the specified bar manager has merged toolbars"};
const TResStringRec dxSBAR_TOOLBARHASMERGEDTOOLBARS{"The '%s' toolbar has merged toolbars"};
const TResStringRec dxSBAR_TOOLBARSALREADYMERGED{"The '%s' toolbar is already merged with the '%s' toolbar"};
const TResStringRec dxSBAR_TOOLBARSARENOTMERGED{"The '%s' toolbar is not merged with the '%s' toolbar"};
const TResStringRec dxSBAR_DEFAULTCATEGORYNAME{"Default"};
const TResStringRec dxSBAR_NEWBUTTONCAPTION{"New Button"};
const TResStringRec dxSBAR_NEWITEMCAPTION{"New Item"};
const TResStringRec dxSBAR_NEWRIBBONGALLERYITEMCAPTION{"New Gallery"};
const TResStringRec dxSBAR_NEWSEPARATORCAPTION{"New Separator"};
const TResStringRec dxSBAR_NEWSUBITEMCAPTION{"New SubItem"};
const TResStringRec dxSBAR_CP_ADDSUBITEM{"Add &SubItem"};
const TResStringRec dxSBAR_CP_ADDBUTTON{"Add &Button"};
const TResStringRec dxSBAR_CP_ADDLARGEBUTTON{"Add &LargeButton"};
const TResStringRec dxSBAR_CP_ADDSEPARATOR{"Add Se&parator"};
const TResStringRec dxSBAR_CP_ADDDXITEM{"Add &Item"};
const TResStringRec dxSBAR_CP_ADDCXITEM{"Add &cxEditItem"};
const TResStringRec dxSBAR_CP_ADDGROUPBUTTON{"Add &Group Button"};
const TResStringRec dxSBAR_CP_DELETEITEM{"Delete Item"};
const TResStringRec dxSBAR_CP_DELETELINK{"Delete Link"};
const TResStringRec dxSBAR_CP_RESET{"&Reset"};
const TResStringRec dxSBAR_CP_DELETE{"&Delete"};
const TResStringRec dxSBAR_CP_NAME{"&Name:"};
const TResStringRec dxSBAR_CP_CAPTION{"&Caption:"};
const TResStringRec dxSBAR_CP_BUTTONPAINTSTYLEMENU{"Button Paint Style"};
const TResStringRec dxSBAR_CP_DEFAULTSTYLE{"Defa&ult Style"};
const TResStringRec dxSBAR_CP_TEXTONLYALWAYS{"&Text Only (Always)"};
const TResStringRec dxSBAR_CP_TEXTONLYINMENUS{"Text &Only (in Menus)"};
const TResStringRec dxSBAR_CP_IMAGEANDTEXT{"Image &and Text"};
const TResStringRec dxSBAR_CP_BEGINAGROUP{"Begin a &Group"};
const TResStringRec dxSBAR_CP_VISIBLE{"&Visible"};
const TResStringRec dxSBAR_CP_MOSTRECENTLYUSED{"&Most Recently Used"};
const TResStringRec dxSBAR_CP_DISTRIBUTED{"Distributed"};
const TResStringRec dxSBAR_CP_POSITIONMENU{"Position"};
const TResStringRec dxSBAR_CP_VIEWLEVELSMENU{"View Levels"};
const TResStringRec dxSBAR_CP_ALLVIEWLEVELS{"All"};
const TResStringRec dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX{" ONLY"};
const TResStringRec dxSBAR_CP_BUTTONGROUPMENU{"Button Group"};
const TResStringRec dxSBAR_CP_BUTTONGROUP{"Group"};
const TResStringRec dxSBAR_CP_BUTTONUNGROUP{"Ungroup"};
const TResStringRec dxSBAR_ADDEX{"Add..."};
const TResStringRec dxSBAR_RENAMEEX{"Rename..."};
const TResStringRec dxSBAR_DELETE{"Delete"};
const TResStringRec dxSBAR_CLEAR{"Clear"};
const TResStringRec dxSBAR_VISIBLE{"Visible"};
const TResStringRec dxSBAR_OK{"OK"};
const TResStringRec dxSBAR_CANCEL{"Cancel"};
const TResStringRec dxSBAR_SUBMENUEDITOR{"SubMenu Editor..."};
const TResStringRec dxSBAR_SUBMENUEDITORCAPTION{"SubMenu Editor"};
const TResStringRec dxSBAR_INSERTEX{"Insert..."};
const TResStringRec dxSBAR_MOVEUP{"Move Up"};
const TResStringRec dxSBAR_MOVEDOWN{"Move Down"};
const TResStringRec dxSBAR_POPUPMENUEDITOR{"PopupMenu Editor..."};
const TResStringRec dxSBAR_TABSHEET1{" Toolbars "};
const TResStringRec dxSBAR_TABSHEET2{" Commands "};
const TResStringRec dxSBAR_TABSHEET3{" Options "};
const TResStringRec dxSBAR_TOOLBARS{"Toolb&ars:"};
const TResStringRec dxSBAR_TNEW{"&New..."};
const TResStringRec dxSBAR_TRENAME{"R&ename..."};
const TResStringRec dxSBAR_TDELETE{"&Delete"};
const TResStringRec dxSBAR_TRESET{"&Reset..."};
const TResStringRec dxSBAR_CLOSE{"Close"};
const TResStringRec dxSBAR_CAPTION{"Customize"};
const TResStringRec dxSBAR_CATEGORIES{"Cate&gories:"};
const TResStringRec dxSBAR_COMMANDS{"Comman&ds:"};
const TResStringRec dxSBAR_DESCRIPTION{"Description  "};
const TResStringRec dxSBAR_MDIMINIMIZE{"Minimize Window"};
const TResStringRec dxSBAR_MDIRESTORE{"Restore Window"};
const TResStringRec dxSBAR_MDICLOSE{"Close Window"};
const TResStringRec dxSBAR_CUSTOMIZE{"&Customize..."};
const TResStringRec dxSBAR_ADDREMOVEBUTTONS{"&Add or Remove Buttons"};
const TResStringRec dxSBAR_MOREBUTTONS{"More Buttons"};
const TResStringRec dxSBAR_RESETTOOLBAR{"&Reset Toolbar"};
const TResStringRec dxSBAR_EXPAND{"Expand (Ctrl-Down)"};
const TResStringRec dxSBAR_DRAGTOMAKEMENUFLOAT{"Drag to make this menu float"};
const TResStringRec dxSBAR_MORECOMMANDS{"&More Commands..."};
const TResStringRec dxSBAR_SHOWBELOWRIBBON{"&Show Quick Access Toolbar Below the Ribbon"};
const TResStringRec dxSBAR_SHOWABOVERIBBON{"&Show Quick Access Toolbar Above the Ribbon"};
const TResStringRec dxSBAR_MINIMIZERIBBON{"Mi&nimize the Ribbon"};
const TResStringRec dxSBAR_ADDTOQAT{"&Add to Quick Access Toolbar"};
const TResStringRec dxSBAR_ADDTOQATITEMNAME{"&Add %s to Quick Access Toolbar"};
const TResStringRec dxSBAR_REMOVEFROMQAT{"&Remove from Quick Access Toolbar"};
const TResStringRec dxSBAR_CUSTOMIZEQAT{"Customize Quick Access Toolbar"};
const TResStringRec dxSBAR_ADDGALLERYNAME{"Gallery"};
const TResStringRec dxSBAR_SHOWALLGALLERYGROUPS{"Show all groups"};
const TResStringRec dxSBAR_HIDEALLGALLERYGROUPS{"Hide all groups"};
const TResStringRec dxSBAR_CLEARGALLERYFILTER{"Clear filter"};
const TResStringRec dxSBAR_GALLERYEMPTYFILTERCAPTION{"<empty>"};
const TResStringRec dxSBAR_TOOLBARNEWNAME{"Custom "};
const TResStringRec dxSBAR_CATEGORYADD{"Add Category"};
const TResStringRec dxSBAR_CATEGORYINSERT{"Insert Category"};
const TResStringRec dxSBAR_CATEGORYRENAME{"Rename Category"};
const TResStringRec dxSBAR_TOOLBARADD{"Add Toolbar"};
const TResStringRec dxSBAR_TOOLBARRENAME{"Rename Toolbar"};
const TResStringRec dxSBAR_CATEGORYNAME{"&Category name:"};
const TResStringRec dxSBAR_TOOLBARNAME{"&Toolbar name:"};
const TResStringRec dxSBAR_CUSTOMIZINGFORM{"Customization Form..."};
const TResStringRec dxSBAR_MODIFY{"... modify"};
const TResStringRec dxSBAR_PERSMENUSANDTOOLBARS{"Personalized Menus and Toolbars  "};
const TResStringRec dxSBAR_MENUSSHOWRECENTITEMS{"Me&nus show recently used commands first"};
const TResStringRec dxSBAR_SHOWFULLMENUSAFTERDELAY{"Show f&ull menus after a short delay"};
const TResStringRec dxSBAR_RESETUSAGEDATA{"&Reset my usage data"};
const TResStringRec dxSBAR_OTHEROPTIONS{"Other  "};
const TResStringRec dxSBAR_LARGEICONS{"&Large icons"};
const TResStringRec dxSBAR_HINTOPT1{"Show Tool&Tips on toolbars"};
const TResStringRec dxSBAR_HINTOPT2{"Show s&hortcut keys in ToolTips"};
const TResStringRec dxSBAR_MENUANIMATIONS{"&Menu animations:"};
const TResStringRec dxSBAR_MENUANIM1{"(None)"};
const TResStringRec dxSBAR_MENUANIM2{"Random"};
const TResStringRec dxSBAR_MENUANIM3{"Unfold"};
const TResStringRec dxSBAR_MENUANIM4{"Slide"};
const TResStringRec dxSBAR_MENUANIM5{"Fade"};
const TResStringRec dxSBAR_CANTFINDBARMANAGERFORSTATUSBAR{"A bar manager cannot be found for the status bar"};
const TResStringRec dxSBAR_BUTTONDEFAULTACTIONDESCRIPTION{"Press"};
const TResStringRec SBlob{"(Blob)"};
const TResStringRec dxSBAR_GDIPLUSNEEDED{"%s requires the Microsoft GDI+ library to be installed"};
const TResStringRec dxSBAR_RIBBONMORETHANONE{"A control should contain only a single TdxRibbon"};
const TResStringRec dxSBAR_RIBBONBADOWNER{"TdxRibbon should have TCustomForm as its Owner"};
const TResStringRec dxSBAR_RIBBONBADPARENT{"TdxRibbon should have TCustomForm as its Parent"};
const TResStringRec dxSBAR_RIBBONADDTAB{"Add Tab"};
const TResStringRec dxSBAR_RIBBONDELETETAB{"Delete Tab"};
const TResStringRec dxSBAR_RIBBONADDEMPTYGROUP{"Add Empty Group"};
const TResStringRec dxSBAR_RIBBONADDGROUPWITHTOOLBAR{"Add Group With Toolbar"};
const TResStringRec dxSBAR_RIBBONDELETEGROUP{"Delete Group"};
const TResStringRec dxSBAR_ACCESSIBILITY_RIBBONNAME{"Ribbon"};
const TResStringRec dxSBAR_ACCESSIBILITY_RIBBONTABCOLLECTIONNAME{"Ribbon Tabs"};

}  // namespace dxBarStrs

using namespace dxBarStrs;

const char* const dxBarProductName = "Bars Library";

const TdxBarStringEntry dxBarStringTable[dxBarStringCount] = {
    {"dxSBAR_LOOKUPDIALOGCAPTION", &dxSBAR_LOOKUPDIALOGCAPTION},
    {"dxSBAR_LOOKUPDIALOGOK", &dxSBAR_LOOKUPDIALOGOK},
    {"dxSBAR_LOOKUPDIALOGCANCEL", &dxSBAR_LOOKUPDIALOGCANCEL},
    {"dxSBAR_DIALOGOK", &dxSBAR_DIALOGOK},
    {"dxSBAR_DIALOGCANCEL", &dxSBAR_DIALOGCANCEL},
    {"dxSBAR_COLOR_STR_0", &dxSBAR_COLOR_STR_0},
    {"dxSBAR_COLOR_STR_1", &dxSBAR_COLOR_STR_1},
    {"dxSBAR_COLOR_STR_2", &dxSBAR_COLOR_STR_2},
    {"dxSBAR_COLOR_STR_3", &dxSBAR_COLOR_STR_3},
    {"dxSBAR_COLOR_STR_4", &dxSBAR_COLOR_STR_4},
    {"dxSBAR_COLOR_STR_5", &dxSBAR_COLOR_STR_5},
    {"dxSBAR_COLOR_STR_6", &dxSBAR_COLOR_STR_6},
    {"dxSBAR_COLOR_STR_7", &dxSBAR_COLOR_STR_7},
    {"dxSBAR_COLOR_STR_8", &dxSBAR_COLOR_STR_8},
    {"dxSBAR_COLOR_STR_9", &dxSBAR_COLOR_STR_9},
    {"dxSBAR_COLOR_STR_10", &dxSBAR_COLOR_STR_10},
    {"dxSBAR_COLOR_STR_11", &dxSBAR_COLOR_STR_11},
    {"dxSBAR_COLOR_STR_12", &dxSBAR_COLOR_STR_12},
    {"dxSBAR_COLOR_STR_13", &dxSBAR_COLOR_STR_13},
    {"dxSBAR_COLOR_STR_14", &dxSBAR_COLOR_STR_14},
    {"dxSBAR_COLOR_STR_15", &dxSBAR_COLOR_STR_15},
    {"dxSBAR_COLORAUTOTEXT", &dxSBAR_COLORAUTOTEXT},
    {"dxSBAR_COLORCUSTOMTEXT", &dxSBAR_COLORCUSTOMTEXT},
    {"dxSBAR_DATETODAY", &dxSBAR_DATETODAY},
    {"dxSBAR_DATECLEAR", &dxSBAR_DATECLEAR},
    {"dxSBAR_DATEDIALOGCAPTION", &dxSBAR_DATEDIALOGCAPTION},
    {"dxSBAR_TREEVIEWDIALOGCAPTION", &dxSBAR_TREEVIEWDIALOGCAPTION},
    {"dxSBAR_IMAGEDIALOGCAPTION", &dxSBAR_IMAGEDIALOGCAPTION},
    {"dxSBAR_IMAGEINDEX", &dxSBAR_IMAGEINDEX},
    {"dxSBAR_IMAGETEXT", &dxSBAR_IMAGETEXT},
    {"dxSBAR_PLACEFORCONTROL", &dxSBAR_PLACEFORCONTROL},
    {"dxSBAR_CANTASSIGNCONTROL", &dxSBAR_CANTASSIGNCONTROL},
    {"dxSBAR_CXEDITVALUEDIALOGCAPTION", &dxSBAR_CXEDITVALUEDIALOGCAPTION},
    {"dxSBAR_WANTTORESETTOOLBAR", &dxSBAR_WANTTORESETTOOLBAR},
    {"dxSBAR_WANTTORESETUSAGEDATA", &dxSBAR_WANTTORESETUSAGEDATA},
    {"dxSBAR_BARMANAGERMORETHANONE", &dxSBAR_BARMANAGERMORETHANONE},
    {"dxSBAR_BARMANAGERBADOWNER", &dxSBAR_BARMANAGERBADOWNER},
    {"dxSBAR_NOBARMANAGERS", &dxSBAR_NOBARMANAGERS},
    {"dxSBAR_WANTTODELETETOOLBAR", &dxSBAR_WANTTODELETETOOLBAR},
    {"dxSBAR_WANTTODELETETOOLBARS", &dxSBAR_WANTTODELETETOOLBARS},
    {"dxSBAR_WANTTODELETECATEGORY", &dxSBAR_WANTTODELETECATEGORY},
    {"dxSBAR_WANTTOCLEARCOMMANDS", &dxSBAR_WANTTOCLEARCOMMANDS},
    {"dxSBAR_RECURSIVEMENUS", &dxSBAR_RECURSIVEMENUS},
    {"dxSBAR_COMMANDNAMECANNOTBEBLANK", &dxSBAR_COMMANDNAMECANNOTBEBLANK},
    {"dxSBAR_TOOLBAREXISTS", &dxSBAR_TOOLBAREXISTS},
    {"dxSBAR_RECURSIVEGROUPS", &dxSBAR_RECURSIVEGROUPS},
    {"dxSBAR_WANTTODELETECOMPLEXITEM", &dxSBAR_WANTTODELETECOMPLEXITEM},
    {"dxSBAR_CANTPLACEQUICKACCESSGROUPBUTTON", &dxSBAR_CANTPLACEQUICKACCESSGROUPBUTTON},
    {"dxSBAR_QUICKACCESSGROUPBUTTONTOOLBARNOTDOCKEDINRIBBON", &dxSBAR_QUICKACCESSGROUPBUTTONTOOLBARNOTDOCKEDINRIBBON},
    {"dxSBAR_QUICKACCESSALREADYHASGROUPBUTTON", &dxSBAR_QUICKACCESSALREADYHASGROUPBUTTON},
    {"dxSBAR_CANTPLACESEPARATOR", &dxSBAR_CANTPLACESEPARATOR},
    {"dxSBAR_CANTPLACERIBBONGALLERY", &dxSBAR_CANTPLACERIBBONGALLERY},
    {"dxSBAR_CANTMERGEBARMANAGER", &dxSBAR_CANTMERGEBARMANAGER},
    {"dxSBAR_CANTMERGETOOLBAR", &dxSBAR_CANTMERGETOOLBAR},
    {"dxSBAR_CANTMERGEWITHMERGEDTOOLBAR", &dxSBAR_CANTMERGEWITHMERGEDTOOLBAR},
    {"dxSBAR_CANTUNMERGETOOLBAR", &dxSBAR_CANTUNMERGETOOLBAR},
    {"dxSBAR_ONEOFTOOLBARSALREADYMERGED", &dxSBAR_ONEOFTOOLBARSALREADYMERGED},
    {"dxSBAR_ONEOFTOOLBARSHASMERGEDTOOLBARS", &dxSBAR_ONEOFTOOLBARSHASMERGEDTOOLBARS},
    {"dxSBAR_TOOLBARHASMERGEDTOOLBARS", &dxSBAR_TOOLBARHASMERGEDTOOLBARS},
    {"dxSBAR_TOOLBARSALREADYMERGED", &dxSBAR_TOOLBARSALREADYMERGED},
    {"dxSBAR_TOOLBARSARENOTMERGED", &dxSBAR_TOOLBARSARENOTMERGED},
    {"dxSBAR_DEFAULTCATEGORYNAME", &dxSBAR_DEFAULTCATEGORYNAME},
    {"dxSBAR_NEWBUTTONCAPTION", &dxSBAR_NEWBUTTONCAPTION},
    {"dxSBAR_NEWITEMCAPTION", &dxSBAR_NEWITEMCAPTION},
    {"dxSBAR_NEWRIBBONGALLERYITEMCAPTION", &dxSBAR_NEWRIBBONGALLERYITEMCAPTION},
    {"dxSBAR_NEWSEPARATORCAPTION", &dxSBAR_NEWSEPARATORCAPTION},
    {"dxSBAR_NEWSUBITEMCAPTION", &dxSBAR_NEWSUBITEMCAPTION},
    {"dxSBAR_CP_ADDSUBITEM", &dxSBAR_CP_ADDSUBITEM},
    {"dxSBAR_CP_ADDBUTTON", &dxSBAR_CP_ADDBUTTON},
    {"dxSBAR_CP_ADDLARGEBUTTON", &dxSBAR_CP_ADDLARGEBUTTON},
    {"dxSBAR_CP_ADDSEPARATOR", &dxSBAR_CP_ADDSEPARATOR},
    {"dxSBAR_CP_ADDDXITEM", &dxSBAR_CP_ADDDXITEM},
    {"dxSBAR_CP_ADDCXITEM", &dxSBAR_CP_ADDCXITEM},
    {"dxSBAR_CP_ADDGROUPBUTTON", &dxSBAR_CP_ADDGROUPBUTTON},
    {"dxSBAR_CP_DELETEITEM", &dxSBAR_CP_DELETEITEM},
    {"dxSBAR_CP_DELETELINK", &dxSBAR_CP_DELETELINK},
    {"dxSBAR_CP_RESET", &dxSBAR_CP_RESET},
    {"dxSBAR_CP_DELETE", &dxSBAR_CP_DELETE},
    {"dxSBAR_CP_NAME", &dxSBAR_CP_NAME},
    {"dxSBAR_CP_CAPTION", &dxSBAR_CP_CAPTION},
    {"dxSBAR_CP_BUTTONPAINTSTYLEMENU", &dxSBAR_CP_BUTTONPAINTSTYLEMENU},
    {"dxSBAR_CP_DEFAULTSTYLE", &dxSBAR_CP_DEFAULTSTYLE},
    {"dxSBAR_CP_TEXTONLYALWAYS", &dxSBAR_CP_TEXTONLYALWAYS},
    {"dxSBAR_CP_TEXTONLYINMENUS", &dxSBAR_CP_TEXTONLYINMENUS},
    {"dxSBAR_CP_IMAGEANDTEXT", &dxSBAR_CP_IMAGEANDTEXT},
    {"dxSBAR_CP_BEGINAGROUP", &dxSBAR_CP_BEGINAGROUP},
    {"dxSBAR_CP_VISIBLE", &dxSBAR_CP_VISIBLE},
    {"dxSBAR_CP_MOSTRECENTLYUSED", &dxSBAR_CP_MOSTRECENTLYUSED},
    {"dxSBAR_CP_DISTRIBUTED", &dxSBAR_CP_DISTRIBUTED},
    {"dxSBAR_CP_POSITIONMENU", &dxSBAR_CP_POSITIONMENU},
    {"dxSBAR_CP_VIEWLEVELSMENU", &dxSBAR_CP_VIEWLEVELSMENU},
    {"dxSBAR_CP_ALLVIEWLEVELS", &dxSBAR_CP_ALLVIEWLEVELS},
    {"dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX", &dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX},
    {"dxSBAR_CP_BUTTONGROUPMENU", &dxSBAR_CP_BUTTONGROUPMENU},
    {"dxSBAR_CP_BUTTONGROUP", &dxSBAR_CP_BUTTONGROUP},
    {"dxSBAR_CP_BUTTONUNGROUP", &dxSBAR_CP_BUTTONUNGROUP},
    {"dxSBAR_ADDEX", &dxSBAR_ADDEX},
    {"dxSBAR_RENAMEEX", &dxSBAR_RENAMEEX},
    {"dxSBAR_DELETE", &dxSBAR_DELETE},
    {"dxSBAR_CLEAR", &dxSBAR_CLEAR},
    {"dxSBAR_VISIBLE", &dxSBAR_VISIBLE},
    {"dxSBAR_OK", &dxSBAR_OK},
    {"dxSBAR_CANCEL", &dxSBAR_CANCEL},
    {"dxSBAR_SUBMENUEDITOR", &dxSBAR_SUBMENUEDITOR},
    {"dxSBAR_SUBMENUEDITORCAPTION", &dxSBAR_SUBMENUEDITORCAPTION},
    {"dxSBAR_INSERTEX", &dxSBAR_INSERTEX},
    {"dxSBAR_MOVEUP", &dxSBAR_MOVEUP},
    {"dxSBAR_MOVEDOWN", &dxSBAR_MOVEDOWN},
    {"dxSBAR_POPUPMENUEDITOR", &dxSBAR_POPUPMENUEDITOR},
    {"dxSBAR_TABSHEET1", &dxSBAR_TABSHEET1},
    {"dxSBAR_TABSHEET2", &dxSBAR_TABSHEET2},
    {"dxSBAR_TABSHEET3", &dxSBAR_TABSHEET3},
    {"dxSBAR_TOOLBARS", &dxSBAR_TOOLBARS},
    {"dxSBAR_TNEW", &dxSBAR_TNEW},
    {"dxSBAR_TRENAME", &dxSBAR_TRENAME},
    {"dxSBAR_TDELETE", &dxSBAR_TDELETE},
    {"dxSBAR_TRESET", &dxSBAR_TRESET},
    {"dxSBAR_CLOSE", &dxSBAR_CLOSE},
    {"dxSBAR_CAPTION", &dxSBAR_CAPTION},
    {"dxSBAR_CATEGORIES", &dxSBAR_CATEGORIES},
    {"dxSBAR_COMMANDS", &dxSBAR_COMMANDS},
    {"dxSBAR_DESCRIPTION", &dxSBAR_DESCRIPTION},
    {"dxSBAR_MDIMINIMIZE", &dxSBAR_MDIMINIMIZE},
    {"dxSBAR_MDIRESTORE", &dxSBAR_MDIRESTORE},
    {"dxSBAR_MDICLOSE", &dxSBAR_MDICLOSE},
    {"dxSBAR_CUSTOMIZE", &dxSBAR_CUSTOMIZE},
    {"dxSBAR_ADDREMOVEBUTTONS", &dxSBAR_ADDREMOVEBUTTONS},
    {"dxSBAR_MOREBUTTONS", &dxSBAR_MOREBUTTONS},
    {"dxSBAR_RESETTOOLBAR", &dxSBAR_RESETTOOLBAR},
    {"dxSBAR_EXPAND", &dxSBAR_EXPAND},
    {"dxSBAR_DRAGTOMAKEMENUFLOAT", &dxSBAR_DRAGTOMAKEMENUFLOAT},
    {"dxSBAR_MORECOMMANDS", &dxSBAR_MORECOMMANDS},
    {"dxSBAR_SHOWBELOWRIBBON", &dxSBAR_SHOWBELOWRIBBON},
    {"dxSBAR_SHOWABOVERIBBON", &dxSBAR_SHOWABOVERIBBON},
    {"dxSBAR_MINIMIZERIBBON", &dxSBAR_MINIMIZERIBBON},
    {"dxSBAR_ADDTOQAT", &dxSBAR_ADDTOQAT},
    {"dxSBAR_ADDTOQATITEMNAME", &dxSBAR_ADDTOQATITEMNAME},
    {"dxSBAR_REMOVEFROMQAT", &dxSBAR_REMOVEFROMQAT},
    {"dxSBAR_CUSTOMIZEQAT", &dxSBAR_CUSTOMIZEQAT},
    {"dxSBAR_ADDGALLERYNAME", &dxSBAR_ADDGALLERYNAME},
    {"dxSBAR_SHOWALLGALLERYGROUPS", &dxSBAR_SHOWALLGALLERYGROUPS},
    {"dxSBAR_HIDEALLGALLERYGROUPS", &dxSBAR_HIDEALLGALLERYGROUPS},
    {"dxSBAR_CLEARGALLERYFILTER", &dxSBAR_CLEARGALLERYFILTER},
    {"dxSBAR_GALLERYEMPTYFILTERCAPTION", &dxSBAR_GALLERYEMPTYFILTERCAPTION},
    {"dxSBAR_TOOLBARNEWNAME", &dxSBAR_TOOLBARNEWNAME},
    {"dxSBAR_CATEGORYADD", &dxSBAR_CATEGORYADD},
    {"dxSBAR_CATEGORYINSERT", &dxSBAR_CATEGORYINSERT},
    {"dxSBAR_CATEGORYRENAME", &dxSBAR_CATEGORYRENAME},
    {"dxSBAR_TOOLBARADD", &dxSBAR_TOOLBARADD},
    {"dxSBAR_TOOLBARRENAME", &dxSBAR_TOOLBARRENAME},
    {"dxSBAR_CATEGORYNAME", &dxSBAR_CATEGORYNAME},
    {"dxSBAR_TOOLBARNAME", &dxSBAR_TOOLBARNAME},
    {"dxSBAR_CUSTOMIZINGFORM", &dxSBAR_CUSTOMIZINGFORM},
    {"dxSBAR_MODIFY", &dxSBAR_MODIFY},
    {"dxSBAR_PERSMENUSANDTOOLBARS", &dxSBAR_PERSMENUSANDTOOLBARS},
    {"dxSBAR_MENUSSHOWRECENTITEMS", &dxSBAR_MENUSSHOWRECENTITEMS},
    {"dxSBAR_SHOWFULLMENUSAFTERDELAY", &dxSBAR_SHOWFULLMENUSAFTERDELAY},
    {"dxSBAR_RESETUSAGEDATA", &dxSBAR_RESETUSAGEDATA},
    {"dxSBAR_OTHEROPTIONS", &dxSBAR_OTHEROPTIONS},
    {"dxSBAR_LARGEICONS", &dxSBAR_LARGEICONS},
    {"dxSBAR_HINTOPT1", &dxSBAR_HINTOPT1},
    {"dxSBAR_HINTOPT2", &dxSBAR_HINTOPT2},
    {"dxSBAR_MENUANIMATIONS", &dxSBAR_MENUANIMATIONS},
    {"dxSBAR_MENUANIM1", &dxSBAR_MENUANIM1},
    {"dxSBAR_MENUANIM2", &dxSBAR_MENUANIM2},
    {"dxSBAR_MENUANIM3", &dxSBAR_MENUANIM3},
    {"dxSBAR_MENUANIM4", &dxSBAR_MENUANIM4},
    {"dxSBAR_MENUANIM5", &dxSBAR_MENUANIM5},
    {"dxSBAR_CANTFINDBARMANAGERFORSTATUSBAR", &dxSBAR_CANTFINDBARMANAGERFORSTATUSBAR},
    {"dxSBAR_BUTTONDEFAULTACTIONDESCRIPTION", &dxSBAR_BUTTONDEFAULTACTIONDESCRIPTION},
    {"SBlob", &SBlob},
    {"dxSBAR_GDIPLUSNEEDED", &dxSBAR_GDIPLUSNEEDED},
    {"dxSBAR_RIBBONMORETHANONE", &dxSBAR_RIBBONMORETHANONE},
    {"dxSBAR_RIBBONBADOWNER", &dxSBAR_RIBBONBADOWNER},
    {"dxSBAR_RIBBONBADPARENT", &dxSBAR_RIBBONBADPARENT},
    {"dxSBAR_RIBBONADDTAB", &dxSBAR_RIBBONADDTAB},
    {"dxSBAR_RIBBONDELETETAB", &dxSBAR_RIBBONDELETETAB},
    {"dxSBAR_RIBBONADDEMPTYGROUP", &dxSBAR_RIBBONADDEMPTYGROUP},
    {"dxSBAR_RIBBONADDGROUPWITHTOOLBAR", &dxSBAR_RIBBONADDGROUPWITHTOOLBAR},
    {"dxSBAR_RIBBONDELETEGROUP", &dxSBAR_RIBBONDELETEGROUP},
    {"dxSBAR_ACCESSIBILITY_RIBBONNAME", &dxSBAR_ACCESSIBILITY_RIBBONNAME},
    {"dxSBAR_ACCESSIBILITY_RIBBONTABCOLLECTIONNAME", &dxSBAR_ACCESSIBILITY_RIBBONTABCOLLECTIONNAME},
};

namespace {
int gStringsUsers = 0;
}  // namespace

void BarStringsStartup() {
  if (gStringsUsers++ > 0) return;
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository())
    repository->AddProduct(dxBarProductName, [](TdxProductResourceStrings* Product) {
      for (const TdxBarStringEntry& entry : dxBarStringTable) Product->RecordResString(entry.Identifier, entry.ResString);
    });
}

void BarStringsShutdown() {
  if (gStringsUsers == 0 || --gStringsUsers > 0) return;
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository())
    repository->RemoveProduct(dxBarProductName);
}
