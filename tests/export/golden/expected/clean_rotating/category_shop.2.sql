INSERT INTO `ps_category_shop` (`id_category`,`id_shop`,`position`) VALUES (25,1,0),(26,1,0),(8,1,0),(9,1,0),(10,1,0);
INSERT INTO `ps_category_shop` (`id_category`,`id_shop`,`position`) VALUES (19,1,0),(20,1,0),(11,1,0),(12,1,0),(13,1,0);
