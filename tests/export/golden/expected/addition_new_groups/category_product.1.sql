INSERT INTO `ps_category_product` (`id_category`,`id_product`,`position`) VALUES (16,1,0),(18,2,0),(20,4,0),(22,1,0);
