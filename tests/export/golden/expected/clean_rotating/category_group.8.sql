INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (21,3),(22,3),(14,3);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (23,3),(24,3);
