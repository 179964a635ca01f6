INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (23,2),(24,2),(15,3),(16,3);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (17,3),(18,3),(5,3),(6,3),(7,3);
