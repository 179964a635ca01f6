INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (21,1),(22,1),(14,1);
INSERT INTO `ps_category_group` (`id_category`,`id_group`) VALUES (23,1),(24,1),(15,2),(16,2);
