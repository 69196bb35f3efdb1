int g_bEnglish = 1;
