INSERT INTO `ps_category_shop` (`id_category`,`id_shop`,`position`) VALUES (21,1,0),(22,1,0),(14,1,0);
INSERT INTO `ps_category_shop` (`id_category`,`id_shop`,`position`) VALUES (23,1,0),(24,1,0);
