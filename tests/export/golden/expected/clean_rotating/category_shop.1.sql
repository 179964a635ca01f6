INSERT INTO `ps_category_shop` (`id_category`,`id_shop`,`position`) VALUES (1,1,0),(2,1,0),(3,1,0),(4,1,0),(15,1,0),(16,1,0);
INSERT INTO `ps_category_shop` (`id_category`,`id_shop`,`position`) VALUES (17,1,0),(18,1,0),(5,1,0),(6,1,0),(7,1,0);
