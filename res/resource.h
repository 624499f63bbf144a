// Resource and control IDs of SetUp.exe. Plain defines: read by the resource compiler and by
// C++ alike.
#pragma once

#define IDI_APP 1          // icon group of the executable and the dialog (nine images)
#define IDI_SMALL 128      // a single 32 x 32 image that nothing loads
#define IDD_SETUP 141      // the setup dialog
#define IDB_LOGO 147       // 64 x 64, 24 bits
#define IDB_MENU 151       // 307 x 175, 4 bits: the add-in's menu opened in CAD

#define IDC_INSTALL_PATH 1000
#define IDC_TITLE 1013
#define IDC_PROGRESS 1014
#define IDC_BROWSE 1015
#define IDC_COMPONENTS_LABEL 1016
#define IDC_PATH_LABEL 1017
#define IDC_RELEASE_2007 1018
#define IDC_RELEASE_2008 1019
#define IDC_RELEASE_2009 1020
#define IDC_MENU_PICTURE 1021
#define IDC_INSTALL 1022
#define IDC_DONE_LABEL 1023
#define IDC_EDITION 1024
#define IDC_RELEASE_2011 1026
#define IDC_RELEASE_2010 1027
#define IDC_RELEASE_2012 1028
#define IDC_RELEASE_2013 1029
#define IDC_RELEASE_2014 1030
#define IDC_RELEASE_2015 1031
#define IDC_RELEASE_2016 1032
#define IDC_RELEASE_2017 1033
#define IDC_RELEASE_2018 1034
#define IDC_RELEASE_2019 1035
#define IDC_RELEASE_2020 1036
#define IDC_RELEASE_2021 1037
#define IDC_RELEASE_2022 1038
#define IDC_RELEASE_2023 1039
#define IDC_RELEASE_2024 1040
#define IDC_RELEASE_2025 1041
#define IDC_RELEASE_2026 1042
#define IDC_RELEASE_2027 1043

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
