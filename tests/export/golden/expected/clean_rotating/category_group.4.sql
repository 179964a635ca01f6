INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (17,2),(18,2),(5,2),(6,2),(7,2);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (25,2),(26,2),(8,2),(9,2),(10,2);
