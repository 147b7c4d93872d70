// Resource identifiers of the module, shared by the resource script and the code.
#pragma once

#define VS_VERSION_INFO 1

// The framework's own headers give the code IDC_STATIC; only the resource compiler lacks it.
#ifdef RC_INVOKED
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#endif

// Dialog templates, and the warning window's document type (its string and its icon).
#define IDD_SIGN_TREATY 8000
#define IDR_WARNTYPE 8003
#define IDD_CONFIG 8006
#define IDD_NEW_CONDITION 8009

// Sign-treaty dialog.
#define IDC_RACE 8001
#define IDC_SPIN_FROM 8002
#define IDC_FROM 8003
#define IDC_TILL 8004
#define IDC_SPIN_TILL 8005
#define IDC_CONDITIONS 8020
#define IDC_ADD 8024

// New-condition dialog.
#define IDC_ABBREVIATION 8003
#define IDC_MAIN_TEXT 8004

// Configuration page.
#define IDC_SHOW_INFO 8001
#define IDC_DEFLEN_SPIN 8002
#define IDC_DEFLEN 8003
#define IDC_EXPTHR 8004
#define IDC_EXPTHR_SPIN 8005
#define IDC_WARN_REPORT 8006
#define IDC_WARN_GAME 8007
#define IDC_COL_STATUS 8014
#define IDC_COL_CUSTOM1 8015
#define IDC_COL_CUSTOM2 8016
#define IDC_COL_CUSTOM3 8017
#define IDC_DECLARE_PEACE 8018
#define IDC_DECLARE_WAR 8019
#define IDC_INFO_CUSTOM1 8021
#define IDC_INFO_CUSTOM2 8022
#define IDC_INFO_CUSTOM3 8023
#define IDC_SHOW_ALL 8025
#define IDC_EXPIRED 8026
